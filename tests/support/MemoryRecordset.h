#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <memory>

#include "platform/Connection.h"

namespace testsupport {

// A recordset over rows held in memory, for tests of whatever reads or binds recordsets.
// Values keep their types (QDateTime, int, null QVariant, ...); Text() is the platform's
// default conversion. Reading a field without a current row throws DatabaseError, as the
// database client does.
class MemoryRecordset : public platform::Recordset {
 public:
  MemoryRecordset(QStringList fieldNames, QList<QVariantList> rows);

  bool AtEnd() const override;
  void MoveNext() override;
  int FieldCount() const override { return int(fieldNames_.size()); }
  QString FieldName(int index) const override;
  QVariant Value(int index) const override;
  void Close() override;

  bool isClosed() const { return closed_; }
  int position() const { return position_; }  // index of the current row

 private:
  QStringList fieldNames_;
  QList<QVariantList> rows_;
  int position_ = 0;
  bool closed_ = false;
};

// Every remaining row of `rows` read into memory, each field named in `values` holding its value
// there instead (a null QVariant: null): what another server could return for the same rows.
std::unique_ptr<MemoryRecordset> WithValues(platform::Recordset& rows, const QVariantMap& values);
// The same with every field null.
std::unique_ptr<MemoryRecordset> WithNulls(platform::Recordset& rows);

}  // namespace testsupport
