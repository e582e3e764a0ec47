#include "platform/Format.h"

#include <QLocale>
#include <QRegularExpression>
#include <optional>

#include "platform/Errors.h"

namespace platform {
namespace {

QString Pad2(int value) {
  return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

int Hour12(int hour) {
  return hour % 12 == 0 ? 12 : hour % 12;
}

QString Marker(int hour) {
  return hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
}

// Length of the run of `ch` (case-insensitive) starting at `at`.
qsizetype RunLength(const QString& text, qsizetype at, QChar ch) {
  qsizetype n = 0;
  while (at + n < text.size() && text[at + n].toLower() == ch)
    ++n;
  return n;
}

bool StartsWithAt(const QString& text, qsizetype at, QLatin1String word) {
  return text.mid(at, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

QString NamedFormat(const QDateTime& value, const QString& pattern) {
  const QString name = pattern.trimmed().toLower();
  if (name == QLatin1String("long date"))
    return QLocale::system().toString(value.date(), QLocale::LongFormat);
  if (name == QLatin1String("short date")) return ShortDateText(value.date());
  if (name == QLatin1String("long time")) return TimeText(value.time());
  if (name == QLatin1String("short time"))
    return Pad2(value.time().hour()) + u':' + Pad2(value.time().minute());
  if (name == QLatin1String("general date")) return DefaultText(value);
  return QString();
}

bool IsNamedFormat(const QString& pattern) {
  static const QStringList names = {QStringLiteral("long date"), QStringLiteral("short date"),
                                    QStringLiteral("long time"), QStringLiteral("short time"),
                                    QStringLiteral("general date")};
  return names.contains(pattern.trimmed().toLower());
}

class PatternWriter {
 public:
  PatternWriter(const QDateTime& value, const QString& pattern)
      : date_(value.date()),
        time_(value.time()),
        pattern_(pattern),
        twelveHour_(pattern.contains(QLatin1String("am/pm"), Qt::CaseInsensitive) ||
                    pattern.contains(QLatin1String("a/p"), Qt::CaseInsensitive)) {}

  QString write() {
    for (qsizetype i = 0; i < pattern_.size();)
      i += token(i);
    return out_;
  }

 private:
  // Writes the token at `at` and returns its length.
  qsizetype token(qsizetype at) {
    const QChar ch = pattern_[at].toLower();
    if (StartsWithAt(pattern_, at, QLatin1String("am/pm"))) {
      const QString marker = Marker(time_.hour());
      out_ += pattern_[at].isUpper() ? marker : marker.toLower();
      return 5;
    }
    if (StartsWithAt(pattern_, at, QLatin1String("a/p"))) {
      const QString marker = Marker(time_.hour()).left(1);
      out_ += pattern_[at].isUpper() ? marker : marker.toLower();
      return 3;
    }
    if (ch == u'\\' && at + 1 < pattern_.size()) {
      out_ += pattern_[at + 1];
      return 2;
    }
    if (ch == u'"') {
      const qsizetype end = pattern_.indexOf(u'"', at + 1);
      const qsizetype stop = end < 0 ? pattern_.size() : end;
      out_ += pattern_.mid(at + 1, stop - at - 1);
      return stop - at + (end < 0 ? 0 : 1);
    }
    const qsizetype n = RunLength(pattern_, at, ch);
    switch (ch.unicode()) {
      case u'y':
        out_ += n >= 4   ? QString::number(date_.year())
                : n >= 2 ? Pad2(date_.year() % 100)
                         : QString::number(date_.dayOfYear());
        lastWasHour_ = false;
        return n >= 4 ? 4 : n >= 2 ? 2 : 1;
      case u'm':
        return monthOrMinutes(n);
      case u'n':
        out_ += n >= 2 ? Pad2(time_.minute()) : QString::number(time_.minute());
        lastWasHour_ = false;
        return qMin<qsizetype>(n, 2);
      case u'd':
        return day(n);
      case u'h': {
        const int hour = twelveHour_ ? Hour12(time_.hour()) : time_.hour();
        out_ += n >= 2 ? Pad2(hour) : QString::number(hour);
        lastWasHour_ = true;
        return qMin<qsizetype>(n, 2);
      }
      case u's':
        out_ += n >= 2 ? Pad2(time_.second()) : QString::number(time_.second());
        lastWasHour_ = false;
        return qMin<qsizetype>(n, 2);
      default:
        out_ += pattern_[at];  // separators keep the hour-before-minutes link
        return 1;
    }
  }

  qsizetype monthOrMinutes(qsizetype n) {
    if (lastWasHour_ && n <= 2) {
      out_ += n == 2 ? Pad2(time_.minute()) : QString::number(time_.minute());
      lastWasHour_ = false;
      return n;
    }
    lastWasHour_ = false;
    const QLocale locale = QLocale::system();
    if (n >= 4) {
      out_ += locale.monthName(date_.month(), QLocale::LongFormat);
      return 4;
    }
    if (n == 3) {
      out_ += locale.monthName(date_.month(), QLocale::ShortFormat);
      return 3;
    }
    out_ += n == 2 ? Pad2(date_.month()) : QString::number(date_.month());
    return n;
  }

  qsizetype day(qsizetype n) {
    lastWasHour_ = false;
    const QLocale locale = QLocale::system();
    if (n >= 6) {
      out_ += locale.toString(date_, QLocale::LongFormat);
      return 6;
    }
    if (n == 5) {
      out_ += ShortDateText(date_);
      return 5;
    }
    if (n == 4) {
      out_ += locale.dayName(date_.dayOfWeek(), QLocale::LongFormat);
      return 4;
    }
    if (n == 3) {
      out_ += locale.dayName(date_.dayOfWeek(), QLocale::ShortFormat);
      return 3;
    }
    out_ += n == 2 ? Pad2(date_.day()) : QString::number(date_.day());
    return n;
  }

  QDate date_;
  QTime time_;
  const QString& pattern_;
  bool twelveHour_;
  bool lastWasHour_ = false;
  QString out_;
};

int ExpandYear(int year, qsizetype digits) {
  if (digits > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

// "h:mm[:ss] [AM|PM|A|P]" at the end of a text; an invalid QTime when it is not one.
QTime ReadTime(const QRegularExpressionMatch& m, int first) {
  int hour = m.captured(first).toInt();
  const int minute = m.captured(first + 1).toInt();
  const int second = m.capturedLength(first + 2) ? m.captured(first + 2).toInt() : 0;
  const QString marker = m.captured(first + 3).toUpper();
  if (!marker.isEmpty()) {
    if (hour < 1 || hour > 12) return QTime();
    hour = hour % 12 + (marker.startsWith(u'P') ? 12 : 0);
  }
  return QTime(hour, minute, second);
}

// Reads the texts the program itself writes ("12/08/2026", "9:05:00 AM", "12/8/2026 9:05:00
// AM") in ASCII, as the patterns below would, without compiling them: compiling the patterns on
// their first use was a millisecond of every start, which sets the date pickers from such
// texts. Anything else (other digits or blanks, ISO dates, other shapes) is left to them.
class CommonTextReader {
 public:
  explicit CommonTextReader(QStringView text) : text_(text) {}

  std::optional<QDateTime> read() {
    const qsizetype start = at_;
    if (const auto time = readTime(); time && at_ == text_.size())
      return time->isValid() ? WallClock(ZeroDate(), *time) : QDateTime();
    at_ = start;
    int month = 0, day = 0, year = 0;
    if (!readNumber(1, 2, month) || !skip(u'/') || !readNumber(1, 2, day) || !skip(u'/')) return {};
    const qsizetype yearStart = at_;
    if (!readNumber(2, 4, year)) return {};
    const QDate date(ExpandYear(year, at_ - yearStart), month, day);
    if (at_ == text_.size()) return date.isValid() ? WallClock(date, QTime(0, 0)) : QDateTime();
    if (skipSpaces() == 0) return {};
    const auto time = readTime();
    if (!time || at_ != text_.size()) return {};
    return date.isValid() && time->isValid() ? WallClock(date, *time) : QDateTime();
  }

 private:
  // "h:mm[:ss[.f]] [AM|PM|A|P]"; an invalid QTime for a shape that names no time of day.
  std::optional<QTime> readTime() {
    int hour = 0, minute = 0, second = 0, ignored = 0;
    if (!readNumber(1, 2, hour) || !skip(u':') || !readNumber(2, 2, minute)) return {};
    if (skip(u':')) {
      if (!readNumber(2, 2, second)) return {};
      if (skip(u'.') && !readNumber(1, 64, ignored)) return {};
    }
    skipSpaces();
    const QStringView rest = text_.sliced(at_);
    bool pm = false;
    if (!rest.isEmpty()) {
      const QStringView marker = rest.compare(u"AM", Qt::CaseInsensitive) == 0 ||
                                         rest.compare(u"PM", Qt::CaseInsensitive) == 0 ||
                                         rest.compare(u"A", Qt::CaseInsensitive) == 0 ||
                                         rest.compare(u"P", Qt::CaseInsensitive) == 0
                                     ? rest
                                     : QStringView();
      if (marker.isEmpty()) return {};
      at_ = text_.size();
      if (hour < 1 || hour > 12) return QTime();
      pm = marker.front().toUpper() == u'P';
      hour = hour % 12 + (pm ? 12 : 0);
    }
    return QTime(hour, minute, second);
  }

  // `fewest` to `most` ASCII digits; digits past `most` leave the text unread.
  bool readNumber(int fewest, int most, int& value) {
    value = 0;
    int count = 0;
    while (at_ < text_.size() && count < most && text_[at_] >= u'0' && text_[at_] <= u'9') {
      if (count < 9) value = value * 10 + (text_[at_].unicode() - u'0');
      ++at_;
      ++count;
    }
    const bool moreDigits = at_ < text_.size() && text_[at_] >= u'0' && text_[at_] <= u'9';
    return count >= fewest && !moreDigits;
  }
  bool skip(char16_t character) {
    if (at_ >= text_.size() || text_[at_] != character) return false;
    ++at_;
    return true;
  }
  qsizetype skipSpaces() {
    const qsizetype start = at_;
    while (at_ < text_.size() && text_[at_] == u' ')
      ++at_;
    return at_ - start;
  }

  QStringView text_;
  qsizetype at_ = 0;
};

QDateTime ParseDateTimeText(const QString& raw) {
  const QString text = raw.trimmed();
  if (const auto common = CommonTextReader(text).read()) return *common;
  static const QString time =
      QStringLiteral("(\\d{1,2}):(\\d{2})(?::(\\d{2})(?:\\.\\d+)?)?\\s*(AM|PM|A|P)?");
  static const QRegularExpression us(
      QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{2,4})(?:\\s+%1)?$").arg(time),
      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression iso(
      QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?:[ T]%1)?$").arg(time),
      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression timeOnly(QStringLiteral("^%1$").arg(time),
                                           QRegularExpression::CaseInsensitiveOption);

  auto combine = [](const QDate& date, const QRegularExpressionMatch& m) -> QDateTime {
    if (!date.isValid()) return {};
    if (!m.capturedLength(4)) return WallClock(date, QTime(0, 0));
    const QTime t = ReadTime(m, 4);
    return t.isValid() ? WallClock(date, t) : QDateTime();
  };
  if (auto m = us.match(text); m.hasMatch()) {
    const QDate date(ExpandYear(m.captured(3).toInt(), m.capturedLength(3)), m.captured(1).toInt(),
                     m.captured(2).toInt());
    return combine(date, m);
  }
  if (auto m = iso.match(text); m.hasMatch()) {
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return combine(date, m);
  }
  if (auto m = timeOnly.match(text); m.hasMatch()) {
    const QTime t = ReadTime(m, 1);
    return t.isValid() ? WallClock(ZeroDate(), t) : QDateTime();
  }
  return {};
}

}  // namespace

QDate ZeroDate() {
  return QDate(1899, 12, 30);
}

QString ShortDateText(const QDate& date) {
  return QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year());
}

QString TimeText(const QTime& time) {
  return QStringLiteral("%1:%2:%3 %4")
      .arg(Hour12(time.hour()))
      .arg(Pad2(time.minute()), Pad2(time.second()), Marker(time.hour()));
}

QString DateTimeText(const QDateTime& value) {
  return ShortDateText(value.date()) + u' ' + TimeText(value.time());
}

QString DefaultText(const QVariant& value) {
  if (value.isNull()) return QString();
  switch (value.typeId()) {
    case QMetaType::QDateTime: {
      const QDateTime when = AsWallClock(value.toDateTime());
      if (when.date() == ZeroDate()) return TimeText(when.time());
      if (when.time() == QTime(0, 0)) return ShortDateText(when.date());
      return DateTimeText(when);
    }
    case QMetaType::QDate:
      return ShortDateText(value.toDate());
    case QMetaType::QTime:
      return TimeText(value.toTime());
    case QMetaType::Bool:
      return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
      return value.toString();
  }
}

QDateTime TryToDateTime(const QVariant& value) {
  if (value.isNull()) return {};
  switch (value.typeId()) {
    case QMetaType::QDateTime:
      return AsWallClock(value.toDateTime());
    case QMetaType::QDate:
      return WallClock(value.toDate(), QTime(0, 0));
    case QMetaType::QTime:
      return WallClock(ZeroDate(), value.toTime());
    case QMetaType::QString:
      return ParseDateTimeText(value.toString());
    default:
      return {};
  }
}

QDateTime ToDateTime(const QVariant& value) {
  const QDateTime when = TryToDateTime(value);
  if (!when.isValid())
    throw RuntimeError(
        QStringLiteral("Type mismatch: \"%1\" is not a date and time.").arg(value.toString()));
  return when;
}

QString Format(const QDateTime& value, const QString& pattern) {
  const QDateTime when = AsWallClock(value);
  if (!when.isValid()) return QString();
  if (IsNamedFormat(pattern)) return NamedFormat(when, pattern);
  return PatternWriter(when, pattern).write();
}

QString Format(const QVariant& value, const QString& pattern) {
  if (value.isNull()) return QString();
  const QDateTime when = TryToDateTime(value);
  if (!when.isValid()) return value.toString();
  return Format(when, pattern);
}

}  // namespace platform
