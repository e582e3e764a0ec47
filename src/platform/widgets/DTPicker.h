#pragma once

#include <QDateTimeEdit>
#include <QPointer>
#include <QVariant>
#include <functional>
#include <optional>

namespace platform {

// A date-time picker: a date picker (calendar drop-down, shown "MM/dd/yyyy") or a time picker
// (shown "hh:mm:ss AP"), with an earliest selectable value. Tab leaves the picker, as on the
// classic picker (the arrow keys move between its parts).
//
// Typing works part by part (month, day, year; hour, minute, second, AM/PM): a digit replaces
// the part the cursor is in, and the part moves on by itself when full; "/", "-", ".", ":" and
// a blank move to the next part; "a" or "p" sets AM or PM. A text that is no value the picker
// can take (an unfinished year, 02/30, a value before the earliest one) stays shown as typed,
// marked, with Problem() saying why; Tab and Enter do not leave it.
class DTPicker : public QDateTimeEdit {
  Q_OBJECT

 public:
  enum class Mode { Date, Time };

  explicit DTPicker(Mode mode, QWidget* parent = nullptr);

  Mode mode() const { return mode_; }

  // A date picker holds a date (at midnight), a time picker a time of day on ZeroDate().
  // While a typed text is not a value, the last value stands.
  QDateTime Value() const;
  QDate Date() const;
  QTime Time() const;

  // Sets the value from a QDateTime, QDate, QTime or a text read as a date and time
  // (ToDateTime). A date picker takes the date part, a time picker the time of day.
  // Throws RuntimeError when the value is not a date or lies before the earliest value;
  // the picker then keeps its value. Does not emit Change. Drops a text typed before.
  void SetValue(const QVariant& value);

  // Date picker: no date before `earliest`'s date can be set or picked.
  // Time picker: no time of day before `earliest`'s time, but only while `datePicker` (when
  // given) shows its own earliest date: on a later date every time of day can be picked. A
  // time of day that the date picker's return to its earliest date puts before the earliest
  // time stays as it is, and is a Problem(). A null `earliest` removes the limit.
  // Throws RuntimeError when `earliest` is not a date.
  void SetMinDate(const QVariant& earliest, const DTPicker* datePicker = nullptr);
  QDateTime MinDate() const;
  // Lowers the earliest value just enough that `value` can be shown, keeping the pairing;
  // does nothing when it can be shown already. Throws RuntimeError when it is not a date.
  void LowerMinDateTo(const QVariant& value);

  // Enter moves on to the next control, as Tab does.
  void SetEnterMovesOn(bool movesOn) { enterMovesOn_ = movesOn; }

  // Why what the picker shows is not a value it takes, e.g. "\"02/30/2026\" is not a date";
  // empty when it shows its value.
  QString Problem() const;
  // Drops a text typed that is not a value: the picker shows its value again.
  void Revert();

 signals:
  // The user changed the value by typing, the arrow keys or the calendar (each step through
  // the drop-down calendar shows, and is, a new value); once per new value. Never emitted by
  // SetValue or by SetMinDate.
  void Change();
  // SetMinDate gave a new earliest value.
  void MinDateChanged();

 protected:
  bool event(QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void stepBy(int steps) override;

 private:
  struct Part {
    int start;  // in the shown text
    int width;  // digits; 0 for AM/PM
    int highest;
  };
  const QList<Part>& parts() const;

  QDateTime normalized(const QDateTime& value) const;
  bool allows(const QDateTime& value) const;
  bool timeMinimumApplies() const;
  QString EarliestProblem(const QDateTime& value) const;
  void applyEditorRange();
  void setEditorValue(const QDateTime& value);
  void onEditorChanged();

  // Typing, part by part.
  bool TypeKey(QKeyEvent& event);
  void TypeDigit(int digit);
  void MoveToPart(int part, bool byItself);
  void SetHalfOfDay(bool pm);
  void EraseInPart();
  void FollowCursor();
  int PartAtCursor() const;
  void ReadPartsFromValue();
  std::optional<QDateTime> ReadTyped() const;
  QString TypedText() const;
  void ApplyTyped();
  void ShowTyped();
  void UncheckedByTheEditor(const std::function<void()>& action);
  void SelectPart();
  void UpdateLook();
  bool KeepsFocus();

  Mode mode_;
  QDateTime earliest_;
  QPointer<const DTPicker> pairedDate_;
  QList<QMetaObject::Connection> pairedConnections_;
  QDateTime lastValue_;
  bool settingValue_ = false;
  bool enterMovesOn_ = false;

  // The parts as typed or shown, the part keys go to, and whether its next digit starts it
  // anew; whether the part was reached by filling the one before (a separator typed then is
  // the one the user meant for that move); whether the text shown is not the value.
  QStringList typed_;
  int part_ = 0;
  bool fresh_ = true;
  bool movedOnItself_ = false;
  bool pending_ = false;
  bool showing_ = false;
  QString pendingProblem_;
};

}  // namespace platform
