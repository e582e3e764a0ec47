#pragma once

#include <QList>
#include <QStringList>

namespace platform {

// A listing as text: the column heads and one row of cell texts per record, every row as long
// as the header. What a printout or an exported file shows, taken from a grid or a query but
// independent of either.
struct TextTable {
  QStringList header;
  QList<QStringList> rows;
};

}  // namespace platform
