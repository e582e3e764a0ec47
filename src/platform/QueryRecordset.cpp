#include "platform/QueryRecordset.h"

#include <QDateTime>
#include <QSqlError>

#include "platform/Errors.h"
#include "platform/Format.h"

namespace platform {

QueryRecordset::QueryRecordset(QSqlQuery&& query, std::vector<int> dateColumns)
    : query_(std::move(query)), record_(query_.record()) {
  dateColumn_.assign(record_.count(), false);
  for (int c : dateColumns)
    if (c >= 0 && c < record_.count()) dateColumn_[c] = true;
  MoveNext();
}

QueryRecordset::~QueryRecordset() {
  Close();
}

void QueryRecordset::MoveNext() {
  if (!query_.isActive()) {
    atEnd_ = true;
    return;
  }
  atEnd_ = !query_.next();
  if (atEnd_ && query_.lastError().isValid()) throw DatabaseError(query_.lastError().text());
}

bool QueryRecordset::isDateColumn(int index) const {
  return index >= 0 && index < static_cast<int>(dateColumn_.size()) && dateColumn_[index];
}

QVariant QueryRecordset::Value(int index) const {
  if (atEnd_) throw DatabaseError(QStringLiteral("There is no current row."));
  QVariant value = query_.value(index);
  if (!isDateColumn(index) || value.isNull()) return value;
  const QString text = value.toString();
  if (text.isEmpty()) return QVariant();
  const QDateTime when = DateTimeFromIsoText(text);
  return when.isValid() ? QVariant(when) : value;
}

QString QueryRecordset::Text(int index) const {
  if (isDateColumn(index)) return DefaultText(Value(index));
  if (atEnd_) throw DatabaseError(QStringLiteral("There is no current row."));
  const QVariant value = query_.value(index);
  if (value.typeId() == QMetaType::QString) return value.toString();
  return DefaultText(value);
}

void QueryRecordset::Close() {
  if (query_.isActive()) query_.finish();
  atEnd_ = true;
}

QDateTime DateTimeFromIsoText(QStringView text) {
  // Fixed-position parse: the embedded database writes "YYYY-MM-DD hh:mm:ss[.zzz]".
  auto digits = [&](int from, int count, int& out) {
    if (from + count > text.size()) return false;
    int v = 0;
    for (int i = from; i < from + count; ++i) {
      const QChar ch = text[i];
      if (!ch.isDigit()) return false;
      v = v * 10 + ch.digitValue();
    }
    out = v;
    return true;
  };
  int y, mo, d, h = 0, mi = 0, s = 0;
  if (!digits(0, 4, y) || text.size() < 10 || text[4] != u'-' || !digits(5, 2, mo) ||
      text[7] != u'-' || !digits(8, 2, d))
    return {};
  if (text.size() > 10) {
    if ((text[10] != u' ' && text[10] != u'T') || !digits(11, 2, h) || text.size() < 16 ||
        text[13] != u':' || !digits(14, 2, mi))
      return {};
    if (text.size() > 16 && (text[16] != u':' || !digits(17, 2, s))) return {};
  }
  const QDate date(y, mo, d);
  const QTime time(h, mi, s);
  if (!date.isValid() || !time.isValid()) return {};
  return QDateTime(date, time);
}

}  // namespace platform
