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

// Gives a text box the style's disabled look back: a box the user acts with, not a read-only
// field, shows when it cannot be used.
void SetPlainDisabledLook(QWidget& control);

}  // namespace platform
