#include "platform/RecordTable.h"

#include "platform/Connection.h"
#include "platform/Errors.h"

namespace platform {

RecordTable ReadRecords(Recordset& records, int emptyCols, const TableSize& like,
                        const std::function<void(const Recordset&)>& eachRecord) {
  RecordTable table;
  const int fields = records.FieldCount();
  table.headers = QStringList(emptyCols);
  table.headers.reserve(emptyCols + fields);
  for (int f = 0; f < fields; ++f)
    table.headers << records.FieldName(f);

  // Each value's text is copied into the table's buffer and dropped at once.
  CellTexts& cells = table.cells = CellTexts(int(table.headers.size()));
  if (like.cols == cells.cols()) cells.reserve(like.rows, like.chars);
  for (; !records.AtEnd(); records.MoveNext()) {
    if (cells.rows() >= kMostRecords)
      throw TooManyRowsError(
          QStringLiteral("The listing has more than %1 records, more than the grid can hold.")
              .arg(kMostRecords));
    cells.startRow();
    for (int c = 0; c < emptyCols; ++c)
      cells.appendCell({});
    for (int f = 0; f < fields; ++f)
      cells.appendCell(records.Text(f));
    if (eachRecord) eachRecord(records);
  }
  cells.squeeze();
  return table;
}

}  // namespace platform
