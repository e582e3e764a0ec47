#include "platform/widgets/DateTimeTyping.h"

#include <QList>
#include <algorithm>
#include <utility>

#include "platform/Format.h"
#include "platform/WallClock.h"

namespace platform {

namespace {

constexpr int kYear = 2;
constexpr int kHour = 0, kHalfOfDay = 3;
constexpr int kHours = 0, kMinutes = 1;

QString TwoDigits(int n) {
  return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

const QString kAM = QStringLiteral("AM");
const QString kPM = QStringLiteral("PM");

}  // namespace

DateTimeTyping::DateTimeTyping(Kind kind) : kind_(kind) {
  if (kind == Kind::Duration)
    ShowMinutes(std::nullopt);
  else
    Show(WallClock(kind == Kind::Date ? QDate(2000, 1, 1) : ZeroDate()));
}

const DateTimeTyping::PartShape& DateTimeTyping::Shape(int part) const {
  static const QList<PartShape> kDate = {{2, 12}, {2, 31}, {4, 9999}};
  static const QList<PartShape> kTime = {{2, 23}, {2, 59}, {2, 59}, {0, 0}};
  static const QList<PartShape> kDuration = {{4, 9999}, {2, 59}};
  return (kind_ == Kind::Date ? kDate : kind_ == Kind::Time ? kTime : kDuration)[part];
}

int DateTimeTyping::LastPart() const {
  return kind_ == Kind::Date ? kYear : kind_ == Kind::Time ? kHalfOfDay : kMinutes;
}

int DateTimeTyping::Start(int part) const {
  if (kind_ == Kind::Duration) return part == kMinutes ? int(parts_[kHours].size()) + 1 : 0;
  return part * 3;  // each part but the last is two characters and a separator
}

int DateTimeTyping::Length(int part) const {
  if (kind_ == Kind::Duration) return int(parts_[part].size());
  return std::max(Shape(part).width, 2);
}

int DateTimeTyping::PartAt(int position) const {
  if (kind_ == Kind::Duration) return position > parts_[kHours].size() ? kMinutes : kHours;
  return std::clamp(position / 3, 0, LastPart());
}

void DateTimeTyping::ShowMinutes(std::optional<int> minutes) {
  parts_ = minutes ? QStringList{QString::number(*minutes / 60), TwoDigits(*minutes % 60)}
                   : QStringList{QString(), QString()};
  part_ = kHours;
  fresh_ = true;
  movedOnItself_ = false;
}

bool DateTimeTyping::Empty() const {
  return parts_.join(QString()).trimmed().isEmpty();
}

// Minutes alone while nothing was typed after them, else hours and minutes.
std::optional<int> DateTimeTyping::Minutes() const {
  if (Empty()) return std::nullopt;
  const int hours = parts_[kHours].toInt();
  if (parts_[kMinutes].isEmpty() && part_ == kHours) return hours;
  const int minutes = parts_[kMinutes].toInt();
  if (minutes > Shape(kMinutes).highest) return std::nullopt;
  return hours * 60 + minutes;
}

void DateTimeTyping::Show(const QDateTime& value) {
  if (kind_ == Kind::Date) {
    const QDate date = value.date();
    parts_ = {TwoDigits(date.month()), TwoDigits(date.day()), QString::number(date.year())};
  } else {
    const QTime time = value.time();
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    parts_ = {TwoDigits(hour), TwoDigits(time.minute()), TwoDigits(time.second()),
              time.hour() < 12 ? kAM : kPM};
  }
  fresh_ = true;
  movedOnItself_ = false;
}

bool DateTimeTyping::Type(QChar typed) {
  if (kind_ == Kind::Duration) return TypeDuration(typed);
  const bool afterMove = std::exchange(movedOnItself_, false);
  if (typed.isDigit() && typed.unicode() < 0x80) {
    const PartShape& shape = Shape(part_);
    if (shape.width == 0) return false;  // AM/PM takes "a" or "p"
    QString& text = parts_[part_];
    if (fresh_ || text.size() >= shape.width) text.clear();
    text += typed;
    fresh_ = false;
    const bool full =
        text.size() == shape.width || (shape.width == 2 && text.toInt() * 10 > shape.highest);
    if (!full) return false;
    text = text.rightJustified(shape.width, u'0');
    if (kind_ == Kind::Time && part_ == kHour && text.toInt() > 12) {
      text = TwoDigits(text.toInt() - 12);  // the 24-hour clock
      parts_[kHalfOfDay] = kPM;
    }
    if (part_ == LastPart()) {
      fresh_ = true;
      return true;
    }
    MoveOn(part_ + 1, true);
    return false;
  }
  if (QStringLiteral("/-.,: ").contains(typed)) {
    if (!afterMove) MoveOn(part_ + 1, false);  // "12/" moves on once: the full month already has
    return false;
  }
  const QChar letter = typed.toLower();
  if (kind_ == Kind::Time && (letter == u'a' || letter == u'p')) {
    parts_[kHalfOfDay] = letter == u'p' ? kPM : kAM;
    return true;
  }
  return false;
}

bool DateTimeTyping::TypeDuration(QChar typed) {
  if (typed.isDigit() && typed.unicode() < 0x80) {
    if (fresh_ && part_ == kHours) parts_ = QStringList{QString(), QString()};
    QString& text = parts_[part_];
    if (fresh_ || text.size() >= Shape(part_).width) text.clear();
    text += typed;
    fresh_ = false;
  } else if ((typed == u':' || typed == u' ') && part_ == kHours) {
    MoveOn(kMinutes, false);
    parts_[kMinutes].clear();
  }
  return false;
}

void DateTimeTyping::Erase() {
  if (Shape(part_).width == 0) return;
  // The hours erased before any digit is typed anew erase the whole duration, as a digit typed
  // there starts it anew: a field selected and erased is empty, not its minutes alone.
  if (kind_ == Kind::Duration && fresh_ && part_ == kHours) {
    ShowMinutes(std::nullopt);
    fresh_ = false;
    return;
  }
  QString& text = parts_[part_];
  text = fresh_ ? QString() : text.chopped(std::min<qsizetype>(1, text.size()));
  fresh_ = false;
}

void DateTimeTyping::MoveTo(int part) {
  MoveOn(part, false);
}

// A part left with one digit shows it as two: "1/" is January.
void DateTimeTyping::MoveOn(int part, bool byItself) {
  QString& left = parts_[part_];
  if (Shape(part_).width == 2 && left.size() == 1) left = left.rightJustified(2, u'0');
  movedOnItself_ = byItself && part <= LastPart();
  part_ = std::clamp(part, 0, LastPart());
  fresh_ = true;
}

QString DateTimeTyping::Text() const {
  QStringList shown = parts_;
  for (int i = 0; i <= LastPart(); ++i)
    if (Shape(i).width == 2) shown[i] = shown[i].rightJustified(2, u' ');
  if (kind_ == Kind::Date) return shown.join(u'/');
  if (kind_ == Kind::Duration)
    return parts_[kMinutes].isEmpty() && part_ == kHours ? parts_[kHours] : parts_.join(u':');
  return QStringLiteral("%1:%2:%3 %4").arg(shown[0], shown[1], shown[2], shown[3]);
}

bool DateTimeTyping::Holds(const QDate& date) {
  return date.isValid() && date.year() >= 100 && date.year() <= 9999;
}

std::optional<QDateTime> DateTimeTyping::Read() const {
  if (kind_ == Kind::Duration) return std::nullopt;  // Minutes() reads it
  QList<int> numbers;
  for (int i = 0; i <= LastPart(); ++i) {
    const PartShape& shape = Shape(i);
    if (shape.width == 0) continue;
    bool ok = false;
    const int number = parts_[i].trimmed().toInt(&ok);
    if (!ok || number > shape.highest || (shape.width == 4 && parts_[i].size() != 4))
      return std::nullopt;
    numbers << number;
  }
  if (kind_ == Kind::Date) {
    const QDate date(numbers[2], numbers[0], numbers[1]);
    if (!Holds(date)) return std::nullopt;
    return WallClock(date);
  }
  const int hour = numbers[0];
  if (hour == 0) return std::nullopt;
  const int onTheClock = hour > 12 ? hour : hour % 12 + (parts_[kHalfOfDay] == kPM ? 12 : 0);
  return WallClock(ZeroDate(), QTime(onTheClock, numbers[1], numbers[2]));
}

}  // namespace platform
