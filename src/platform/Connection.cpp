#include "platform/Connection.h"

#include "platform/Errors.h"
#include "platform/Format.h"

namespace platform {

QString Recordset::Text(int index) const {
  return DefaultText(Value(index));
}

QStringList Recordset::FieldNames() const {
  QStringList names;
  for (int i = 0; i < FieldCount(); ++i)
    names << FieldName(i);
  return names;
}

int Recordset::FieldIndex(const QString& name) const {
  for (int i = 0; i < FieldCount(); ++i)
    if (FieldName(i).compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

QVariant Recordset::Field(const QString& name) const {
  const int index = FieldIndex(name);
  if (index < 0)
    throw DatabaseError(QStringLiteral("The recordset has no field named \"%1\".").arg(name));
  if (AtEnd())
    throw DatabaseError(
        QStringLiteral("Either BOF or EOF is True: there is no current row to read \"%1\" from.")
            .arg(name));
  return Value(index);
}

}  // namespace platform
