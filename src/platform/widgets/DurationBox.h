#pragma once

#include <QString>
#include <optional>

#include "platform/widgets/TextBox.h"

namespace platform {

// The field of an expected duration in hours and minutes (h:mm). It is typed as the time
// picker is: digits, with ":" or a blank between the hours and the minutes; a number alone is
// minutes ("90" is 1:30). Empty is no duration. Enter moves on. A text that is no duration
// stays shown as typed, marked, and Problem() says why.
class DurationBox : public TextBox {
  Q_OBJECT

 public:
  explicit DurationBox(QWidget* parent = nullptr, const QColor& back = QColor(255, 255, 255));

  // The duration shown, in minutes; none when the field is empty or shows no duration.
  std::optional<int> Minutes() const;
  // Shows a duration ("1:30"), or empties the field.
  void SetMinutes(std::optional<int> minutes);
  // Why the text is no duration, e.g. "\"1:75\" is no duration (hours:minutes)"; empty when it
  // is one or the field is empty.
  QString Problem() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void UpdateLook();
};

}  // namespace platform
