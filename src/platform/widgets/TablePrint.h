#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include "platform/TextTable.h"

class QPagedPaintDevice;

namespace platform {

// A table as it goes on paper: a title and lines under it, the column heads and the rows, each
// row on its own colour.
struct PrintedTable {
  QString title;
  QStringList headingLines;
  TextTable table;
  // The columns' widths on screen, in any one unit: the page is shared in these proportions,
  // but no column is made narrower than its longest word while the page has room for that.
  QList<int> columnWidths;
  // One colour per row; a row without one (or with an invalid one) stays white.
  QList<QColor> rowColors;
};

// Prints the table over as many pages of `device` as it needs. Every page repeats the title, the
// heading lines and the column heads, and ends with "Page n of m", so that a loose sheet still
// says what it lists. Texts wrap within their cells and a row is never split between pages.
// Throws RuntimeError when the device refuses to print.
void PrintTable(const PrintedTable& printout, QPagedPaintDevice& device);

}  // namespace platform
