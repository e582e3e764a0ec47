#pragma once

#include <QDateTimeEdit>
#include <QPointer>
#include <QVariant>

namespace platform {

// A date-time picker: a date picker (calendar drop-down, shown "MM/dd/yyyy") or a time picker
// (shown "hh:mm:ss AP"), with an earliest selectable value. Tab leaves the picker, as on the
// classic picker (the arrow keys move between its fields).
class DTPicker : public QDateTimeEdit {
  Q_OBJECT

 public:
  enum class Mode { Date, Time };

  explicit DTPicker(Mode mode, QWidget* parent = nullptr);

  Mode mode() const { return mode_; }

  // A date picker holds a date (at midnight), a time picker a time of day on ZeroDate().
  QDateTime Value() const;
  QDate Date() const;
  QTime Time() const;

  // Sets the value from a QDateTime, QDate, QTime or a text read as a date and time
  // (ToDateTime). A date picker takes the date part, a time picker the time of day.
  // Throws RuntimeError when the value is not a date or lies before the earliest value;
  // the picker then keeps its value. Does not emit Change.
  void SetValue(const QVariant& value);

  // Date picker: no date before `earliest`'s date can be set or picked.
  // Time picker: no time of day before `earliest`'s time, but only while `datePicker` (when
  // given) shows its own earliest date: on a later date every time of day can be picked. When
  // that picker comes back to its earliest date, an earlier time moves up to the earliest time
  // (no Change: the user did not change the time). A null `earliest` removes the limit.
  // Throws RuntimeError when `earliest` is not a date.
  void SetMinDate(const QVariant& earliest, const DTPicker* datePicker = nullptr);
  QDateTime MinDate() const;
  // Lowers the earliest value just enough that `value` can be shown, keeping the pairing;
  // does nothing when it can be shown already. Throws RuntimeError when it is not a date.
  void LowerMinDateTo(const QVariant& value);

 signals:
  // The user changed the value by typing, the arrow keys or the calendar (each step through
  // the drop-down calendar shows, and is, a new value); once per new value. Never emitted by
  // SetValue or by SetMinDate.
  void Change();
  // SetMinDate gave a new earliest value.
  void MinDateChanged();

 protected:
  bool focusNextPrevChild(bool next) override;

 private:
  QDateTime normalized(const QDateTime& value) const;
  bool allows(const QDateTime& value) const;
  bool timeMinimumApplies() const;
  void applyEditorRange();
  void setEditorValue(const QDateTime& value);
  void onEditorChanged();

  Mode mode_;
  QDateTime earliest_;
  QPointer<const DTPicker> pairedDate_;
  QList<QMetaObject::Connection> pairedConnections_;
  QDateTime lastValue_;
  bool settingValue_ = false;
};

}  // namespace platform
