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
  if (atEnd_) throw DatabaseError(QStringLiteral("There is no current row."));
  const QVariant value = query_.value(index);
  if (isDateColumn(index) && !value.isNull()) {
    const QString text = value.toString();
    const QString shown = DefaultTextFromIsoText(text);
    return shown.isNull() ? text : shown;
  }
  if (value.typeId() == QMetaType::QString) return value.toString();
  return DefaultText(value);
}

void QueryRecordset::Close() {
  if (query_.isActive()) query_.finish();
  atEnd_ = true;
}

namespace {

struct IsoFields {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Reads "YYYY-MM-DD[( |T)hh:mm[:ss[.zzz]]]" at fixed positions, as the embedded database
// writes it. False when the text is not one or names no real date or time.
bool ReadIso(QStringView text, IsoFields& out) {
  auto digits = [&](qsizetype from, int count, int& value) {
    if (from + count > text.size()) return false;
    value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
      const char16_t ch = text[i].unicode();
      if (ch < u'0' || ch > u'9') return false;
      value = value * 10 + (ch - u'0');
    }
    return true;
  };
  if (text.size() < 10 || !digits(0, 4, out.year) || text[4] != u'-' || !digits(5, 2, out.month) ||
      text[7] != u'-' || !digits(8, 2, out.day))
    return false;
  if (text.size() > 10) {
    if ((text[10] != u' ' && text[10] != u'T') || !digits(11, 2, out.hour) || text.size() < 16 ||
        text[13] != u':' || !digits(14, 2, out.minute))
      return false;
    if (text.size() > 16 && (text[16] != u':' || !digits(17, 2, out.second))) return false;
  }
  return QDate::isValid(out.year, out.month, out.day) &&
         QTime::isValid(out.hour, out.minute, out.second);
}

void AppendNumber(QString& out, int value, int width) {
  char16_t buffer[8];
  int n = 0;
  do {
    buffer[n++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value > 0 || n < width);
  while (n > 0)
    out.append(QChar(buffer[--n]));
}

}  // namespace

QDateTime DateTimeFromIsoText(QStringView text) {
  IsoFields f;
  if (!ReadIso(text, f)) return {};
  return WallClock(QDate(f.year, f.month, f.day), QTime(f.hour, f.minute, f.second));
}

QString DefaultTextFromIsoText(QStringView text) {
  IsoFields f;
  if (!ReadIso(text, f)) return QString();
  // The same text as DefaultText(QDateTime), written directly: this runs for every date cell
  // of a listing.
  if (f.year == 1899 && f.month == 12 && f.day == 30)
    return TimeText(QTime(f.hour, f.minute, f.second));
  QString out;
  out.reserve(24);
  AppendNumber(out, f.month, 1);
  out.append(u'/');
  AppendNumber(out, f.day, 1);
  out.append(u'/');
  AppendNumber(out, f.year, 4);
  if (f.hour == 0 && f.minute == 0 && f.second == 0) return out;
  out.append(u' ');
  AppendNumber(out, f.hour % 12 == 0 ? 12 : f.hour % 12, 1);
  out.append(u':');
  AppendNumber(out, f.minute, 2);
  out.append(u':');
  AppendNumber(out, f.second, 2);
  out.append(f.hour < 12 ? QLatin1String(" AM") : QLatin1String(" PM"));
  return out;
}

}  // namespace platform
