#include "platform/widgets/DTPicker.h"

#include <QLocale>

#include "platform/Errors.h"
#include "platform/Format.h"

namespace platform {

namespace {

const QTime kMidnight(0, 0);
const QTime kLastTimeOfDay(23, 59, 59, 999);

// The earliest date the editor can hold at all; a date picker without an earliest value.
const QDate kFirstDate(100, 1, 1);

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
}

void DTPicker::SetMinDate(const QVariant& earliest, const DTPicker* datePicker) {
  earliest_ = earliest.isNull() ? QDateTime() : normalized(ToDateTime(earliest));
  for (const QMetaObject::Connection& connection : std::as_const(pairedConnections_))
    disconnect(connection);
  pairedConnections_.clear();
  pairedDate_ = mode_ == Mode::Time ? datePicker : nullptr;
  // The time of day that may be picked depends on the date shown beside it and on that
  // picker's own earliest date.
  if (pairedDate_) {
    pairedConnections_ = {
        connect(pairedDate_, &QDateTimeEdit::dateTimeChanged, this, &DTPicker::applyEditorRange),
        connect(pairedDate_, &DTPicker::MinDateChanged, this, &DTPicker::applyEditorRange)};
  }
  applyEditorRange();
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
  emit MinDateChanged();
}

bool DTPicker::focusNextPrevChild(bool next) {
  // The editor would step through its own fields; Tab moves to the next control instead.
  return QWidget::focusNextPrevChild(next);
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

// Keeps the editor's own range, which bounds what the user can type or step to, in step with
// the earliest value. Narrowing it may move the value up to the earliest value; that is not a
// change made by the user.
void DTPicker::applyEditorRange() {
  const bool wasSetting = settingValue_;
  settingValue_ = true;
  if (mode_ == Mode::Date) {
    const QDate first = earliest_.isValid() ? earliest_.date() : kFirstDate;
    setDateTimeRange(WallClock(first, kMidnight), WallClock(QDate(9999, 12, 31), kMidnight));
  } else {
    const QTime first = earliest_.isValid() && timeMinimumApplies() ? earliest_.time() : kMidnight;
    setDateTimeRange(WallClock(ZeroDate(), first), WallClock(ZeroDate(), kLastTimeOfDay));
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
  emit Change();
}

}  // namespace platform
