#pragma once

#include <QColor>
#include <QPalette>
#include <initializer_list>

class QWidget;

namespace platform {

// Gives a control the same background in every state, its text as readable disabled as
// enabled: a read-only field is disabled and still shown on its own colour.
void SetSteadyBackground(QWidget& control, const QColor& back,
                         std::initializer_list<QPalette::ColorRole> backRoles,
                         std::initializer_list<QPalette::ColorRole> textRoles);

}  // namespace platform
