#pragma once

#include <QSqlQuery>
#include <QSqlRecord>
#include <vector>

#include "platform/Connection.h"

namespace platform {

// A recordset over an executed forward-only QSqlQuery. Columns listed in dateColumns hold
// dates and times as text (the embedded database keeps them so) and are read as QDateTime.
class QueryRecordset : public Recordset {
 public:
  QueryRecordset(QSqlQuery&& query, std::vector<int> dateColumns = {});
  ~QueryRecordset() override;

  bool AtEnd() const override { return atEnd_; }
  void MoveNext() override;
  int FieldCount() const override { return record_.count(); }
  QString FieldName(int index) const override { return record_.fieldName(index); }
  QVariant Value(int index) const override;
  QString Text(int index) const override;
  void Close() override;

 private:
  bool isDateColumn(int index) const;

  QSqlQuery query_;
  QSqlRecord record_;
  std::vector<bool> dateColumn_;
  bool atEnd_ = true;
};

// Reads a result's date text ("YYYY-MM-DD hh:mm:ss", optionally with 'T' and milliseconds)
// as a local date and time; an invalid QDateTime when the text is not one.
QDateTime DateTimeFromIsoText(QStringView text);
// The same value's default text (DefaultText), written straight from the stored text; a null
// QString when the text is not one.
QString DefaultTextFromIsoText(QStringView text);

}  // namespace platform
