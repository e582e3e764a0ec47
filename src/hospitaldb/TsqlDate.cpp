#include "hospitaldb/TsqlDate.h"

#include <QRegularExpression>

#include "platform/WallClock.h"

namespace hospitaldb {
namespace {

// SQL Server's datetime range starts in 1753.
constexpr int kEarliestYear = 1753;

int FourDigitYear(const QString& digits) {
  const int year = digits.toInt();
  if (digits.size() > 2) return year;
  return year < 50 ? 2000 + year : 1900 + year;
}

std::optional<QDate> ReadDatePart(const QString& text) {
  static const QRegularExpression monthFirst(
      QStringLiteral("^(\\d{1,2})([/.-])(\\d{1,2})\\2(\\d{4}|\\d{2})$"));
  static const QRegularExpression yearFirst(
      QStringLiteral("^(\\d{4})([/.-])(\\d{1,2})\\2(\\d{1,2})$"));
  static const QRegularExpression compact(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
  QDate date;
  if (const auto m = monthFirst.match(text); m.hasMatch())
    date = QDate(FourDigitYear(m.captured(4)), m.captured(1).toInt(), m.captured(3).toInt());
  else if (const auto y = yearFirst.match(text); y.hasMatch())
    date = QDate(y.captured(1).toInt(), y.captured(3).toInt(), y.captured(4).toInt());
  else if (const auto c = compact.match(text); c.hasMatch())
    date = QDate(c.captured(1).toInt(), c.captured(2).toInt(), c.captured(3).toInt());
  if (!date.isValid() || date.year() < kEarliestYear) return std::nullopt;
  return date;
}

std::optional<QTime> ReadTimePart(const QString& text) {
  // "h:mm[:ss[.fff]] [AM|PM]" or "h AM|PM".
  static const QRegularExpression pattern(
      QStringLiteral("^(\\d{1,2})(?::(\\d{1,2})(?::(\\d{1,2})(?:[.:](\\d{1,3}))?)?)?\\s*"
                     "(AM|PM)?$"),
      QRegularExpression::CaseInsensitiveOption);
  const auto m = pattern.match(text);
  if (!m.hasMatch()) return std::nullopt;
  const bool hasMinutes = !m.captured(2).isEmpty();
  const QString marker = m.captured(5).toUpper();
  if (!hasMinutes && marker.isEmpty()) return std::nullopt;  // a bare number is no time
  int hour = m.captured(1).toInt();
  if (!marker.isEmpty()) {
    if (hour > 12) return std::nullopt;
    hour = hour % 12 + (marker == QLatin1String("PM") ? 12 : 0);
  }
  const QTime time(hour, m.captured(2).toInt(), m.captured(3).toInt());
  if (!time.isValid()) return std::nullopt;
  return time;
}

// The client's date argument, "12/08/2026" or "12/8/2026", in ASCII digits, read as the
// patterns read it; nothing when the text has another shape. Compiling the patterns on their
// first use was half a millisecond of every start, which lists the server's date.
std::optional<std::optional<QDateTime>> ReadClientDate(QStringView text) {
  int fields[3] = {};
  int digits[3] = {};
  int field = 0;
  for (const QChar character : text) {
    if (character == u'/' && field < 2) {
      ++field;
    } else if (character >= u'0' && character <= u'9' && digits[field] < 4) {
      fields[field] = fields[field] * 10 + (character.unicode() - u'0');
      ++digits[field];
    } else {
      return std::nullopt;
    }
  }
  const bool shaped = field == 2 && digits[0] >= 1 && digits[0] <= 2 && digits[1] >= 1 &&
                      digits[1] <= 2 && digits[2] == 4;
  if (!shaped) return std::nullopt;
  const QDate date(fields[2], fields[0], fields[1]);
  if (!date.isValid() || date.year() < kEarliestYear) return std::optional<QDateTime>();
  return std::optional<QDateTime>(platform::WallClock(date, QTime(0, 0)));
}

}  // namespace

std::optional<QDateTime> ReadTsqlDateTime(const QString& text) {
  const QDate baseDate(1900, 1, 1);
  QString rest = text.trimmed();
  if (rest.isEmpty()) return platform::WallClock(baseDate, QTime(0, 0));
  if (const auto clientDate = ReadClientDate(rest)) return *clientDate;
  // ISO 8601 joins date and time with a 'T'.
  static const QRegularExpression isoT(QStringLiteral("^(\\d{4}-\\d{1,2}-\\d{1,2})T(.+)$"));
  if (const auto m = isoT.match(rest); m.hasMatch()) rest = m.captured(1) + u' ' + m.captured(2);

  const qsizetype blank = rest.indexOf(u' ');
  const QString first = blank < 0 ? rest : rest.left(blank);
  const QString second = blank < 0 ? QString() : rest.mid(blank + 1).trimmed();
  if (const auto timeAlone = ReadTimePart(rest)) return platform::WallClock(baseDate, *timeAlone);
  const auto date = ReadDatePart(first);
  if (!date) return std::nullopt;
  if (second.isEmpty()) return platform::WallClock(*date, QTime(0, 0));
  const auto time = ReadTimePart(second);
  if (!time) return std::nullopt;
  return platform::WallClock(*date, *time);
}

QString DateConversionError() {
  return QStringLiteral(
      "Conversion failed when converting date and/or time from character string.");
}

QString StoredDateTimeText(const QDateTime& when) {
  return platform::AsWallClock(when).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

}  // namespace hospitaldb
