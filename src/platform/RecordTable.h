#pragma once

#include <QStringList>
#include <functional>

#include "platform/CellTexts.h"

namespace platform {

class Recordset;

// The most records a listing holds: grid counters are 16-bit, and the header takes a row.
constexpr int kMostRecords = 32766;

// Every record of a recordset as text, under the field names.
struct RecordTable {
  QStringList headers;
  CellTexts cells;
};

// The size of a table read before, so that one about as long is read without growing its
// buffers step by step.
struct TableSize {
  int cols = 0;
  int rows = 0;
  qsizetype chars = 0;
};

// Reads the recordset to its end, each value as Recordset::Text, after `emptyCols` columns that
// carry no data (an empty header and empty cells). Throws TooManyRowsError when there are more
// than kMostRecords records. `like` reserves room when the table has its number of columns.
// `eachRecord`, when given, reads what else it needs of each record while it is current.
RecordTable ReadRecords(Recordset& records, int emptyCols, const TableSize& like = {},
                        const std::function<void(const Recordset&)>& eachRecord = {});

}  // namespace platform
