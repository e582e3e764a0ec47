#include "platform/widgets/DTPicker.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QToolTip>
#include <algorithm>
#include <utility>

#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/widgets/SendKeys.h"

namespace platform {

namespace {

const QTime kMidnight(0, 0);
const QTime kLastTimeOfDay(23, 59, 59, 999);

// The earliest date the editor can hold at all; a date picker without an earliest value.
const QDate kFirstDate(100, 1, 1);

// A typed text that is not a value, and one that is before the earliest value, are shown so.
const QColor kProblemText(192, 0, 0);

}  // namespace

DTPicker::DTPicker(Mode mode, QWidget* parent) : QDateTimeEdit(parent), mode_(mode) {
  // The shown texts are fixed, not the workstation's language: "AM"/"PM" in every locale.
  setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  // Wall-clock values: the workstation's zone must not skip or repeat any of them.
  setTimeSpec(Qt::UTC);
  if (mode_ == Mode::Date) {
    setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    setCalendarPopup(true);
  } else {
    setDisplayFormat(QStringLiteral("hh:mm:ss AP"));
    setCalendarPopup(false);
  }
  applyEditorRange();
  setEditorValue(WallClock(mode_ == Mode::Date ? QDate(2000, 1, 1) : ZeroDate(), kMidnight));
  ReadPartsFromValue();
  connect(this, &QDateTimeEdit::dateTimeChanged, this, &DTPicker::onEditorChanged);
}

QDateTime DTPicker::Value() const {
  return normalized(dateTime());
}

QDate DTPicker::Date() const {
  return Value().date();
}

QTime DTPicker::Time() const {
  return Value().time();
}

void DTPicker::SetValue(const QVariant& value) {
  const QDateTime wanted = normalized(ToDateTime(value));
  if (!allows(wanted))
    throw RuntimeError(QStringLiteral("Invalid property value: %1 is before the earliest value %2.")
                           .arg(DefaultText(wanted), DefaultText(earliest_)));
  setEditorValue(wanted);
  Revert();
}

void DTPicker::SetMinDate(const QVariant& earliest, const DTPicker* datePicker) {
  earliest_ = earliest.isNull() ? QDateTime() : normalized(ToDateTime(earliest));
  for (const QMetaObject::Connection& connection : std::as_const(pairedConnections_))
    disconnect(connection);
  pairedConnections_.clear();
  pairedDate_ = mode_ == Mode::Time ? datePicker : nullptr;
  // Whether the time of day shown is too early depends on the date shown beside it and on that
  // picker's own earliest date.
  if (pairedDate_) {
    pairedConnections_ = {
        connect(pairedDate_, &QDateTimeEdit::dateTimeChanged, this, &DTPicker::UpdateLook),
        connect(pairedDate_, &DTPicker::MinDateChanged, this, &DTPicker::UpdateLook)};
  }
  applyEditorRange();
  UpdateLook();
  emit MinDateChanged();
}

QDateTime DTPicker::MinDate() const {
  return earliest_;
}

void DTPicker::LowerMinDateTo(const QVariant& value) {
  const QDateTime wanted = normalized(ToDateTime(value));
  if (allows(wanted)) return;
  earliest_ = wanted;
  applyEditorRange();
  UpdateLook();
  emit MinDateChanged();
}

QString DTPicker::Problem() const {
  if (pending_) return pendingProblem_;
  return allows(Value()) ? QString() : EarliestProblem(Value());
}

QString DTPicker::EarliestProblem(const QDateTime& value) const {
  return QStringLiteral("%1 is before %2, the earliest that can be chosen")
      .arg(textFromDateTime(value), textFromDateTime(earliest_));
}

void DTPicker::Revert() {
  pending_ = false;
  pendingProblem_.clear();
  ShowTyped();
  ReadPartsFromValue();
  fresh_ = true;
  UpdateLook();
}

bool DTPicker::focusNextPrevChild(bool next) {
  if (KeepsFocus()) return true;
  // The editor would step through its own fields; Tab moves to the next control instead.
  return QWidget::focusNextPrevChild(next);
}

// What the user typed and the picker cannot take keeps the focus until it is mended, and is
// shown as it is.
bool DTPicker::KeepsFocus() {
  const QString problem = Problem();
  if (problem.isEmpty()) return false;
  ShowTyped();
  SelectPart();
  UpdateLook();
  QToolTip::showText(mapToGlobal(rect().bottomLeft()), problem, this);
  return true;
}

// The arrow keys and the spin buttons step the value, but never to before the earliest value.
void DTPicker::stepBy(int steps) {
  if (pending_) return;  // what was typed stays until it is typed again
  const QDateTime before = Value();
  settingValue_ = true;
  QDateTimeEdit::stepBy(steps);
  settingValue_ = false;
  if (!allows(Value()) && Value() < before) setEditorValue(before);
  lastValue_ = before;
  onEditorChanged();
  ReadPartsFromValue();
  fresh_ = true;
}

// A date picker holds a date at midnight, a time picker a time of day on the zero date.
QDateTime DTPicker::normalized(const QDateTime& value) const {
  if (mode_ == Mode::Date) return WallClock(value.date(), kMidnight);
  return WallClock(ZeroDate(), value.time());
}

bool DTPicker::allows(const QDateTime& value) const {
  if (!earliest_.isValid()) return true;
  if (mode_ == Mode::Date) return value.date() >= earliest_.date();
  return !timeMinimumApplies() || value.time() >= earliest_.time();
}

// The earliest time of day holds unless the paired date picker shows a date after its own
// earliest date. Without a paired picker, or when that picker has no earliest value, it holds.
bool DTPicker::timeMinimumApplies() const {
  if (!pairedDate_ || !pairedDate_->MinDate().isValid()) return true;
  return pairedDate_->Date() <= pairedDate_->MinDate().date();
}

// Keeps the date editor's own range, which bounds the calendar and the arrow keys, in step with
// the earliest date. Narrowing it may move the value up to the earliest value; that is not a
// change made by the user.
void DTPicker::applyEditorRange() {
  const bool wasSetting = settingValue_;
  settingValue_ = true;
  if (mode_ == Mode::Date) {
    const QDate first = earliest_.isValid() ? earliest_.date() : kFirstDate;
    setDateTimeRange(WallClock(first, kMidnight), WallClock(QDate(9999, 12, 31), kMidnight));
  } else {
    // Every time of day can be held: the earliest one depends on the date beside it, and a
    // change of that date never changes the time.
    setDateTimeRange(WallClock(ZeroDate(), kMidnight), WallClock(ZeroDate(), kLastTimeOfDay));
  }
  settingValue_ = wasSetting;
  lastValue_ = Value();
}

void DTPicker::setEditorValue(const QDateTime& value) {
  const bool wasSetting = settingValue_;
  settingValue_ = true;
  setDateTime(value);
  settingValue_ = wasSetting;
  lastValue_ = Value();
}

// The editor reports every value it takes; only a user's change that gives a new value is a
// Change, and only once.
void DTPicker::onEditorChanged() {
  const QDateTime now = Value();
  if (settingValue_ || now == lastValue_) {
    lastValue_ = now;
    return;
  }
  lastValue_ = now;
  UpdateLook();
  emit Change();
}

// Typing, part by part.

const QList<DTPicker::Part>& DTPicker::parts() const {
  static const QList<Part> kDateParts = {{0, 2, 12}, {3, 2, 31}, {6, 4, 9999}};
  static const QList<Part> kTimeParts = {{0, 2, 12}, {3, 2, 59}, {6, 2, 59}, {9, 0, 0}};
  return mode_ == Mode::Date ? kDateParts : kTimeParts;
}

bool DTPicker::event(QEvent* event) {
  const bool handled = QDateTimeEdit::event(event);
  // The editor writes its value into the field at times of its own (focus, showing, style):
  // what was typed and is no value stays shown all the same.
  if (pending_ && !showing_ && lineEdit()->text() != TypedText()) {
    ShowTyped();
    SelectPart();
  }
  return handled;
}

void DTPicker::focusInEvent(QFocusEvent* event) {
  QDateTimeEdit::focusInEvent(event);
  const int at = PartAtCursor();
  ShowTyped();
  part_ = at;
  fresh_ = true;
  movedOnItself_ = false;
  if (event->reason() != Qt::MouseFocusReason) SelectPart();
}

// The editor would put its value back in place of a text it cannot read; the text stays.
void DTPicker::focusOutEvent(QFocusEvent* event) {
  if (!pending_) {
    QDateTimeEdit::focusOutEvent(event);
  } else {
    UncheckedByTheEditor([&] { QCoreApplication::sendEvent(lineEdit(), event); });
    QWidget::focusOutEvent(event);
    ShowTyped();
  }
  UpdateLook();
}

void DTPicker::mousePressEvent(QMouseEvent* event) {
  QDateTimeEdit::mousePressEvent(event);
  FollowCursor();
  fresh_ = true;
}

void DTPicker::keyPressEvent(QKeyEvent* event) {
  if (TypeKey(*event)) {
    event->accept();
    return;
  }
  // A key the editor handles (the arrows, Home, the calendar's keys) ends a part's typing.
  fresh_ = true;
  movedOnItself_ = false;
  QDateTimeEdit::keyPressEvent(event);
}

// True when the key was the typing's; keys without text go to the editor, unless a text that
// is no value is shown, which only typing mends.
bool DTPicker::TypeKey(QKeyEvent& event) {
  const int key = event.key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (KeepsFocus()) return true;
    if (!enterMovesOn_) return false;
    QueueTab(this);
    return true;
  }
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
    return pending_;
  FollowCursor();
  if (!pending_) {
    const QString typing = typed_.value(part_);
    ReadPartsFromValue();
    if (!fresh_) typed_[part_] = typing;
  }
  const bool afterMove = std::exchange(movedOnItself_, false);
  if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
    EraseInPart();
    return true;
  }
  if (pending_ && (key == Qt::Key_Left || key == Qt::Key_Right)) {
    MoveToPart(part_ + (key == Qt::Key_Right ? 1 : -1), false);
    return true;
  }
  const QString text = event.text();
  if (text.size() != 1 || !text.at(0).isPrint()) return pending_;
  const QChar typed = text.at(0);
  if (typed >= u'0' && typed <= u'9') {
    TypeDigit(typed.digitValue());
  } else if (QStringLiteral("/-.: ").contains(typed)) {
    // "12/" moves on once: the full month already has.
    if (!afterMove) MoveToPart(part_ + 1, false);
  } else if (mode_ == Mode::Time && (typed.toLower() == u'a' || typed.toLower() == u'p')) {
    SetHalfOfDay(typed.toLower() == u'p');
  }
  return true;  // any other character types nothing
}

// A digit starts the part anew or adds to it; the part is full at its width, or sooner when
// no further digit could follow ("4" for a day: the 40th is none).
void DTPicker::TypeDigit(int digit) {
  const Part& part = parts()[part_];
  if (part.width == 0) return;  // AM/PM takes "a" or "p"
  QString& text = typed_[part_];
  if (fresh_ || text.size() >= part.width) text.clear();
  text += QString::number(digit);
  fresh_ = false;
  const bool full =
      text.size() == part.width || (part.width == 2 && text.toInt() * 10 > part.highest);
  if (full) text = text.rightJustified(part.width, u'0');
  ApplyTyped();
  if (full)
    MoveToPart(part_ + 1, true);
  else
    SelectPart();
}

void DTPicker::MoveToPart(int part, bool byItself) {
  QString& left = typed_[part_];
  if (parts()[part_].width == 2 && left.size() == 1) left = left.rightJustified(2, u'0');
  const int last = static_cast<int>(parts().size()) - 1;
  movedOnItself_ = byItself && part <= last;
  part_ = std::clamp(part, 0, last);
  fresh_ = true;
  ShowTyped();
  SelectPart();
}

void DTPicker::SetHalfOfDay(bool pm) {
  typed_[3] = pm ? QStringLiteral("PM") : QStringLiteral("AM");
  ApplyTyped();
  SelectPart();
}

void DTPicker::EraseInPart() {
  if (parts()[part_].width == 0) return;
  QString& text = typed_[part_];
  text = fresh_ ? QString() : text.chopped(std::min<qsizetype>(1, text.size()));
  fresh_ = false;
  ApplyTyped();
  SelectPart();
}

// A click or an arrow key moved the cursor to another part: the next digit starts that part.
void DTPicker::FollowCursor() {
  const int at = PartAtCursor();
  if (at == part_) return;
  part_ = at;
  fresh_ = true;
  movedOnItself_ = false;
}

int DTPicker::PartAtCursor() const {
  const QLineEdit* edit = lineEdit();
  const int at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
  int part = 0;
  for (int i = 0; i < parts().size(); ++i)
    if (at >= parts()[i].start) part = i;
  return part;
}

void DTPicker::ReadPartsFromValue() {
  const QDateTime value = Value();
  const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
  if (mode_ == Mode::Date) {
    const QDate date = value.date();
    typed_ = {two(date.month()), two(date.day()), QString::number(date.year())};
  } else {
    const QTime time = value.time();
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    typed_ = {two(hour), two(time.minute()), two(time.second()),
              time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM")};
  }
}

// The value the parts name; none while a part is empty or out of range, the year unfinished
// or the day not in the month.
std::optional<QDateTime> DTPicker::ReadTyped() const {
  QList<int> numbers;
  for (int i = 0; i < parts().size(); ++i) {
    const Part& part = parts()[i];
    if (part.width == 0) continue;
    bool ok = false;
    const int number = typed_[i].trimmed().toInt(&ok);
    if (!ok || number > part.highest || (part.width == 4 && typed_[i].size() != 4))
      return std::nullopt;
    numbers << number;
  }
  if (mode_ == Mode::Date) {
    const QDate date(numbers[2], numbers[0], numbers[1]);
    if (!date.isValid() || date < kFirstDate) return std::nullopt;
    return WallClock(date, kMidnight);
  }
  if (numbers[0] < 1) return std::nullopt;
  const int hour = numbers[0] % 12 + (typed_[3] == QStringLiteral("PM") ? 12 : 0);
  return WallClock(ZeroDate(), QTime(hour, numbers[1], numbers[2]));
}

QString DTPicker::TypedText() const {
  QStringList shown = typed_;
  for (int i = 0; i < parts().size(); ++i)
    if (parts()[i].width == 2) shown[i] = shown[i].rightJustified(2, u' ');
  if (mode_ == Mode::Date) return shown.join(u'/');
  return QStringLiteral("%1:%2:%3 %4").arg(shown[0], shown[1], shown[2], shown[3]);
}

// A value the picker takes becomes its value at once (a Change); any other text stays shown.
void DTPicker::ApplyTyped() {
  const std::optional<QDateTime> typed = ReadTyped();
  pending_ = !typed || !allows(*typed);
  if (!pending_) {
    pendingProblem_.clear();
    setDateTime(*typed);
  } else if (typed) {
    pendingProblem_ = EarliestProblem(*typed);
  } else {
    pendingProblem_ = QStringLiteral("\"%1\" is not a %2")
                          .arg(TypedText().trimmed(), mode_ == Mode::Date
                                                          ? QStringLiteral("date (month/day/year)")
                                                          : QStringLiteral("time of day"));
  }
  ShowTyped();
  UpdateLook();
}

void DTPicker::ShowTyped() {
  const QString shown = pending_ ? TypedText() : textFromDateTime(dateTime());
  if (lineEdit()->text() == shown) return;
  UncheckedByTheEditor([&] { lineEdit()->setText(shown); });
}

// The editor reads its field's text on a change, and mends it on leaving, putting its own value
// (or a day it makes up: 02/28 for 02/30) in place of what was typed. The events the field
// sends back here meanwhile come while a text is being shown.
void DTPicker::UncheckedByTheEditor(const std::function<void()>& action) {
  QLineEdit& edit = *lineEdit();
  const QSignalBlocker quiet(&edit);
  const QScopedValueRollback<bool> showing(showing_, true);
  const QValidator* validator = edit.validator();
  edit.setValidator(nullptr);
  action();
  edit.setValidator(validator);
}

void DTPicker::SelectPart() {
  const Part& part = parts()[part_];
  lineEdit()->setSelection(part.start, part.width == 0 ? 2 : part.width);
}

void DTPicker::UpdateLook() {
  const QString problem = Problem();
  QPalette look = palette();
  if (!problem.isEmpty()) {
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      look.setColor(group, QPalette::Text, kProblemText);
  }
  lineEdit()->setPalette(look);
  setToolTip(problem);
}

}  // namespace platform
