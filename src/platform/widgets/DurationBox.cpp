#include "platform/widgets/DurationBox.h"

#include <QKeyEvent>
#include <QRegularExpression>

#include "platform/Duration.h"
#include "platform/widgets/SendKeys.h"

namespace platform {
namespace {

struct Reading {
  bool readable = true;
  std::optional<int> minutes;
};

// Hours and minutes with ":" or blanks between them, or minutes alone; empty is none.
Reading Read(const QString& typed) {
  const QString text = typed.trimmed();
  if (text.isEmpty()) return {};
  static const QRegularExpression shape(QStringLiteral("^(\\d{1,4})(?:[: ]+(\\d{1,2}))?$"));
  const QRegularExpressionMatch match = shape.match(text);
  if (!match.hasMatch()) return {false, std::nullopt};
  const int first = match.captured(1).toInt();
  if (!match.hasCaptured(2)) return {true, first};
  const int minutes = match.captured(2).toInt();
  if (minutes > 59) return {false, std::nullopt};
  return {true, first * 60 + minutes};
}

}  // namespace

DurationBox::DurationBox(QWidget* parent, const QColor& back) : TextBox(parent, back) {
  connect(this, &QLineEdit::textChanged, this, &DurationBox::UpdateLook);
}

std::optional<int> DurationBox::Minutes() const {
  return Read(text()).minutes;
}

void DurationBox::SetMinutes(std::optional<int> minutes) {
  setText(minutes ? DurationText(*minutes) : QString());
}

QString DurationBox::Problem() const {
  if (Read(text()).readable) return QString();
  return QStringLiteral("\"%1\" is no duration (hours:minutes)").arg(text());
}

void DurationBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    QueueTab(this);
    return event->accept();
  }
  const QString typed = event->text();
  const bool types = !typed.isEmpty() && typed.at(0).isPrint();
  if (types && !typed.at(0).isDigit() && typed != u':' && typed != u' ')
    return event->accept();  // only digits and the separators are typed
  TextBox::keyPressEvent(event);
}

void DurationBox::UpdateLook() {
  setToolTip(Problem());
}

}  // namespace platform
