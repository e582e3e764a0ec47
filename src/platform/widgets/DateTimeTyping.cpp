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

QString TwoDigits(int n) {
  return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

const QString kAM = QStringLiteral("AM");
const QString kPM = QStringLiteral("PM");

}  // namespace

DateTimeTyping::DateTimeTyping(Kind kind) : kind_(kind) {
  Show(WallClock(kind == Kind::Date ? QDate(2000, 1, 1) : ZeroDate()));
}

const DateTimeTyping::PartShape& DateTimeTyping::Shape(int part) const {
  static const QList<PartShape> kDate = {{2, 12}, {2, 31}, {4, 9999}};
  static const QList<PartShape> kTime = {{2, 23}, {2, 59}, {2, 59}, {0, 0}};
  return (kind_ == Kind::Date ? kDate : kTime)[part];
}

int DateTimeTyping::LastPart() const {
  return kind_ == Kind::Date ? kYear : kHalfOfDay;
}

int DateTimeTyping::Start(int part) const {
  return part * 3;  // each part but the last is two characters and a separator
}

int DateTimeTyping::Length(int part) const {
  return std::max(Shape(part).width, 2);
}

int DateTimeTyping::PartAt(int position) const {
  return std::clamp(position / 3, 0, LastPart());
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

void DateTimeTyping::Erase() {
  if (Shape(part_).width == 0) return;
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
  return QStringLiteral("%1:%2:%3 %4").arg(shown[0], shown[1], shown[2], shown[3]);
}

bool DateTimeTyping::Holds(const QDate& date) {
  return date.isValid() && date.year() >= 100 && date.year() <= 9999;
}

std::optional<QDateTime> DateTimeTyping::Read() const {
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
