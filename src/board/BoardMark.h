#pragma once

#include <QPixmap>

namespace board {

// The product's mark in the board's top-left corner: 350 x 124 pixels, opaque, drawn here so
// that no picture file has to travel with the program.
QPixmap BoardMark();

}  // namespace board
