#include "platform/widgets/SteadyColors.h"

#include <QStyle>
#include <QWidget>

namespace platform {

void SetSteadyBackground(QWidget& control, const QColor& back,
                         std::initializer_list<QPalette::ColorRole> backRoles,
                         std::initializer_list<QPalette::ColorRole> textRoles) {
  QPalette colors = control.palette();
  // A role set without a group is set in every group: active, inactive and disabled.
  for (QPalette::ColorRole role : backRoles)
    colors.setColor(role, back);
  for (QPalette::ColorRole role : textRoles)
    colors.setColor(role, colors.color(QPalette::Active, role));
  control.setPalette(colors);
  control.update();
}

void SetPlainDisabledLook(QWidget& control) {
  QPalette colors = control.palette();
  const QPalette plain = control.style()->standardPalette();
  for (QPalette::ColorRole role :
       {QPalette::Base, QPalette::Window, QPalette::Text, QPalette::PlaceholderText})
    colors.setColor(QPalette::Disabled, role, plain.color(QPalette::Disabled, role));
  control.setPalette(colors);
}

}  // namespace platform
