#pragma once

#include <QDateTime>
#include <QPointer>
#include <QVariant>

#include "platform/widgets/TypedField.h"

class QCalendarWidget;
class QStyleOptionComboBox;

namespace platform {

class CalendarPopup;

// A date-time picker: a date picker (a calendar drops down; shown "MM/dd/yyyy") or a time picker
// (with up and down buttons; shown "hh:mm:ss AP"), with an earliest selectable value. The picker
// owns its field's text, typed through DateTimeTyping (TypedField). The up and down arrow keys,
// Page Up and Page Down, the wheel and the buttons step the part the cursor is in; the calendar
// picks a date.
//
// What is typed becomes the value when the typing is complete (the year full, AM or PM set),
// at Enter or Tab, when the picker loses the focus, and before a step, the calendar or another
// control's shortcut: so a date half typed is never listed. A text that is no value the picker
// can take (02/30, an unfinished year, hour 00, a value before the earliest one) stays shown as
// it stands, marked, with Problem() saying why; Tab and Enter do not leave it. A step or a pick
// replaces it.
class DTPicker : public TypedField {
  Q_OBJECT

 public:
  enum class Mode { Date, Time };

  explicit DTPicker(Mode mode, QWidget* parent = nullptr);
  ~DTPicker() override;

  Mode mode() const { return mode_; }

  // A date picker holds a date (at midnight), a time picker a time of day on ZeroDate().
  // While a text typed is not (yet) a value, the last value stands.
  QDateTime Value() const { return value_; }
  QDate Date() const { return value_.date(); }
  QTime Time() const { return value_.time(); }

  // Sets the value from a QDateTime, QDate, QTime or a text read as a date and time
  // (ToDateTime). A date picker takes the date part, a time picker the time of day.
  // Throws RuntimeError when the value is not a date or lies before the earliest value;
  // the picker then keeps its value. Does not emit Change. Drops a text typed before.
  void SetValue(const QVariant& value);
  // Picks a date as the calendar does: a Change when it is new. It replaces a text typed before;
  // a date before the earliest one is not taken.
  void setDate(const QDate& date);

  // Date picker: no date before `earliest`'s date can be set or picked.
  // Time picker: no time of day before `earliest`'s time, but only while `datePicker` (when
  // given) shows its own earliest date: on a later date every time of day can be picked. A
  // time of day that the date picker's return to its earliest date puts before the earliest
  // time stays as it is, and is a Problem(). A null `earliest` removes the limit.
  // Throws RuntimeError when `earliest` is not a date.
  void SetMinDate(const QVariant& earliest, const DTPicker* datePicker = nullptr);
  QDateTime MinDate() const { return earliest_; }
  // Lowers the earliest value just enough that `value` can be shown, keeping the pairing;
  // does nothing when it can be shown already. Throws RuntimeError when it is not a date.
  void LowerMinDateTo(const QVariant& value);

  // Why what the picker shows is not a value it takes, e.g. "\"02/30/2026\" is not a date";
  // empty when it shows its value.
  QString Problem() const override;

  // A date picker's drop-down calendar (made at its first use); null for a time picker.
  QCalendarWidget* calendarWidget();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  // The user changed the value by typing, a step or the calendar (each step through the
  // drop-down calendar shows, and is, a new value); once per new value. Never emitted by
  // SetValue or by SetMinDate.
  void Change();
  // The value changed, by the user or by SetValue.
  void ValueChanged();
  // SetMinDate gave a new earliest value.
  void MinDateChanged();

 protected:
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void stepBy(int steps) override;
  StepEnabled stepEnabled() const override;
  QString ShownValue() const override { return Shown(value_); }
  void ShowValueInTyping() override { typing_.Show(value_); }
  bool TakeTyped() override;
  bool HandleOwnKey(QKeyEvent& event) override;

 private:
  QDateTime normalized(const QDateTime& value) const;
  bool allows(const QDateTime& value) const;
  bool timeMinimumApplies() const;
  QString Shown(const QDateTime& value) const;
  QString EarliestProblem(const QDateTime& value) const;
  QDateTime Stepped(int steps) const;
  void TakeFromUser(const QDateTime& value);

  // A date picker draws as a drop-down list, its field left of the arrow.
  QStyleOptionComboBox DropDownOption() const;
  void PlaceField();
  void ShowCalendar();

  Mode mode_;
  QDateTime value_;
  QDateTime earliest_;
  QPointer<const DTPicker> pairedDate_;
  QList<QMetaObject::Connection> pairedConnections_;
  CalendarPopup* calendar_ = nullptr;
};

}  // namespace platform
