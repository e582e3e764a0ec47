#include "staff/Keystrokes.h"

#include <limits>

#include "platform/Errors.h"
#include "platform/widgets/MultiLineTextBox.h"
#include "platform/widgets/SendKeys.h"
#include "platform/widgets/TextBox.h"
#include "session/modGlobal.h"

namespace staff {

qint16 AllUppers(qint16 keyAscii) {
  if (!modGlobal::KeyFilter)
    throw platform::ComponentError(QStringLiteral("The keystroke component is not loaded."));
  // The caller takes the result, not what the component left in the argument.
  qint16 argument = keyAscii;
  bool ok = false;
  const int result = modGlobal::KeyFilter->AllUppers(argument).toInt(&ok);
  if (!ok || result < std::numeric_limits<qint16>::min() ||
      result > std::numeric_limits<qint16>::max())
    throw platform::ComponentError(
        QStringLiteral("The keystroke component answered with no key code."));
  return static_cast<qint16>(result);
}

namespace {

platform::KeyPressHook KeystrokeRules(QWidget* field) {
  return [field](qint16& keyAscii) {
    keyAscii = AllUppers(keyAscii);
    if (keyAscii != kEnter) return;
    platform::QueueTab(field);
    keyAscii = 0;
  };
}

}  // namespace

void InstallKeystrokeRules(platform::TextBox& field) {
  field.SetKeyPressHook(KeystrokeRules(&field));
}

void InstallKeystrokeRules(platform::MultiLineTextBox& field) {
  field.SetKeyPressHook(KeystrokeRules(&field));
}

}  // namespace staff
