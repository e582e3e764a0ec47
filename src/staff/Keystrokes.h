#pragma once

#include <QtGlobal>

namespace platform {
class MultiLineTextBox;
class TextBox;
}  // namespace platform

namespace staff {

constexpr qint16 kEnter = 13;

// A typed key as the keystroke component maps it: letters come back upper case. Throws
// platform::ComponentError when the component is not loaded or answers with no key code.
qint16 AllUppers(qint16 keyAscii);

// The rule of the plain text fields (patient, patient's room, procedure, remarks): every key
// goes in upper case, and Enter moves on to the next field instead of being typed.
void InstallKeystrokeRules(platform::TextBox& field);
void InstallKeystrokeRules(platform::MultiLineTextBox& field);

}  // namespace staff
