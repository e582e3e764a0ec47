#include "platform/widgets/SteadyColors.h"

#include <QWidget>

namespace platform {

void SetSteadyBackground(QWidget& control, const QColor& back,
                         std::initializer_list<QPalette::ColorRole> backRoles,
                         std::initializer_list<QPalette::ColorRole> textRoles) {
  QPalette colors = control.palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    for (QPalette::ColorRole role : backRoles)
      colors.setColor(group, role, back);
    for (QPalette::ColorRole role : textRoles)
      colors.setColor(group, role, control.palette().color(QPalette::Active, role));
  }
  control.setPalette(colors);
  control.update();
}

}  // namespace platform
