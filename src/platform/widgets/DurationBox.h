#pragma once

#include <optional>

#include "platform/widgets/TypedField.h"

namespace platform {

// The field of an expected duration in hours and minutes, shown "h:mm". It is typed as the time
// picker is, through DateTimeTyping (TypedField): digits, with ":" or a blank between the hours
// and the minutes; a number alone is minutes ("90" is 1:30). Empty is no duration. A text that
// is no duration ("1:75") stays shown as typed, marked, with Problem() saying why.
class DurationBox : public TypedField {
  Q_OBJECT

 public:
  explicit DurationBox(QWidget* parent = nullptr);

  // The duration in minutes; none when the field is empty. While a text typed is no duration,
  // the last one stands.
  std::optional<int> Minutes() const { return minutes_; }
  // Shows a duration ("1:30"), or empties the field; drops a text typed before.
  void SetMinutes(std::optional<int> minutes);
  QString Problem() const override;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  StepEnabled stepEnabled() const override { return StepNone; }
  QString ShownValue() const override;
  void ShowValueInTyping() override { typing_.ShowMinutes(minutes_); }
  bool TakeTyped() override;

 private:
  std::optional<int> minutes_;
};

}  // namespace platform
