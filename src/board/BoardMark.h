#pragma once

#include <QPixmap>

namespace board {

// The product's mark in the board's top-left corner: 350 x 124 pixels as designed, or drawn to
// `size` for a board whose type is larger or smaller; opaque, drawn here so that no picture
// file has to travel with the program.
QPixmap BoardMark(QSize size = QSize(350, 124));

}  // namespace board
