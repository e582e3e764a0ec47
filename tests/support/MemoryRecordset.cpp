#include "support/MemoryRecordset.h"

#include "platform/Errors.h"

namespace testsupport {

MemoryRecordset::MemoryRecordset(QStringList fieldNames, QList<QVariantList> rows)
    : fieldNames_(std::move(fieldNames)), rows_(std::move(rows)) {}

bool MemoryRecordset::AtEnd() const {
  return closed_ || position_ >= rows_.size();
}

void MemoryRecordset::MoveNext() {
  if (AtEnd())
    throw platform::DatabaseError(QStringLiteral("Either BOF or EOF is True: cannot move next."));
  ++position_;
}

QString MemoryRecordset::FieldName(int index) const {
  if (index < 0 || index >= fieldNames_.size())
    throw platform::DatabaseError(QStringLiteral("Item cannot be found: field %1.").arg(index));
  return fieldNames_[index];
}

QVariant MemoryRecordset::Value(int index) const {
  if (index < 0 || index >= fieldNames_.size())
    throw platform::DatabaseError(QStringLiteral("Item cannot be found: field %1.").arg(index));
  if (AtEnd())
    throw platform::DatabaseError(QStringLiteral("Either BOF or EOF is True: no current row."));
  return rows_[position_].value(index);  // a short row reads as nulls
}

void MemoryRecordset::Close() {
  closed_ = true;
}

std::unique_ptr<MemoryRecordset> WithValues(platform::Recordset& rows, const QVariantMap& values) {
  const QStringList names = rows.FieldNames();
  QList<QVariantList> read;
  for (; !rows.AtEnd(); rows.MoveNext()) {
    QVariantList row;
    for (int i = 0; i < names.size(); ++i)
      row << (values.contains(names[i]) ? values.value(names[i]) : rows.Value(i));
    read << row;
  }
  rows.Close();
  return std::make_unique<MemoryRecordset>(names, read);
}

std::unique_ptr<MemoryRecordset> WithNulls(platform::Recordset& rows) {
  QVariantMap nulls;
  for (const QString& name : rows.FieldNames())
    nulls.insert(name, QVariant());
  return WithValues(rows, nulls);
}

}  // namespace testsupport
