#include "platform/widgets/DurationBox.h"

#include <QLineEdit>
#include <QStyleOptionSpinBox>

#include "platform/Duration.h"

namespace platform {

DurationBox::DurationBox(QWidget* parent) : TypedField(DateTimeTyping::Kind::Duration, parent) {
  setButtonSymbols(QAbstractSpinBox::NoButtons);
  ShowField();
}

void DurationBox::SetMinutes(std::optional<int> minutes) {
  minutes_ = minutes;
  Revert();
}

QString DurationBox::Problem() const {
  if (!showsTyped_ || typing_.Empty() || typing_.Minutes()) return QString();
  return QStringLiteral("\"%1\" is no duration (hours:minutes)").arg(typing_.Text().trimmed());
}

QString DurationBox::ShownValue() const {
  return minutes_ ? DurationText(*minutes_) : QString();
}

bool DurationBox::TakeTyped() {
  if (!typing_.Empty() && !typing_.Minutes()) return false;
  minutes_ = typing_.Minutes();
  typing_.ShowMinutes(minutes_);
  showsTyped_ = false;
  ShowField();
  return true;
}

QSize DurationBox::sizeHint() const {
  ensurePolished();
  const QSize text(fontMetrics().horizontalAdvance(QStringLiteral("00:00 ")) + 2,
                   lineEdit()->sizeHint().height());
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

}  // namespace platform
