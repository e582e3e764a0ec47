#include "staff/DoctorPickers.h"

#include <QString>
#include <vector>

#include "platform/Errors.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/SendKeys.h"
#include "platform/widgets/TextBox.h"
#include "session/modGlobal.h"
#include "staff/Keystrokes.h"

namespace staff {
namespace {

using platform::TextBox;

struct DoctorPicker {
  TextBox* name;
  TextBox* code;
  bool setsSearchMode;          // the anesthesiologists' pickers leave it as start-up set it
  std::vector<TextBox*> taken;  // codes of the places an assistant may not repeat
  QString duplicatePrompt;
};

std::shared_ptr<suite::ICodeSearch> CodeSearch() {
  if (!modGlobal::CodeSearch)
    throw platform::ComponentError(QStringLiteral("The code-search component is not loaded."));
  return modGlobal::CodeSearch;
}

// "LAST ,FIRST": no blank after the comma.
QString DisplayName(suite::ICodeSearch& search) {
  return search.DoctorRecord().Lastname.trimmed() + QStringLiteral(" ,") +
         search.DoctorRecord().FirstName.trimmed();
}

// A doctor without a code is no one in particular: never the same as another place.
bool IsDuplicate(const DoctorPicker& picker) {
  const QString code = picker.code->text();
  if (code.isEmpty()) return false;
  for (const TextBox* other : picker.taken)
    if (other->text() == code) return true;
  return false;
}

void OnKey(const DoctorPicker& picker, qint16& keyAscii) {
  keyAscii = AllUppers(keyAscii);
  if (keyAscii != kEnter) return;
  const auto search = CodeSearch();
  if (picker.setsSearchMode) search->SearchMode(true);
  if (!search->SearchListing(picker.name->text(), 1).toBool()) {
    keyAscii = AllUppers(keyAscii);  // Enter reaches the field as it was
    return;
  }
  picker.name->setText(DisplayName(*search));
  picker.code->setText(search->DoctorRecord().ResultCode);
  platform::QueueTab(picker.name);
  keyAscii = 0;
  if (!IsDuplicate(picker)) return;
  platform::MsgBox(picker.duplicatePrompt, platform::vbOKOnly | platform::vbInformation,
                   QStringLiteral("WARNING!"));
  picker.code->clear();
  picker.name->clear();
  platform::FocusAfterQueuedKeys(picker.name);
}

}  // namespace

void InstallDoctorPickers(const DoctorFields& f) {
  const QString surgeon = QStringLiteral("Surgeon already selected!");
  const QString anest = QStringLiteral("Anesthesiologist already selected!");
  const std::vector<DoctorPicker> pickers = {
      {f.txtSurgeon[0], f.txtSurgeonID[0], true, {}, {}},
      {f.txtSurgeon[1], f.txtSurgeonID[1], true, {f.txtSurgeonID[2], f.txtSurgeonID[0]}, surgeon},
      {f.txtSurgeon[2], f.txtSurgeonID[2], true, {f.txtSurgeonID[1], f.txtSurgeonID[0]}, surgeon},
      {f.txtAnest[0], f.txtAnestID[0], false, {}, {}},
      {f.txtAnest[1], f.txtAnestID[1], false, {f.txtAnestID[0]}, anest},
      // The assistant doctor's picker would also ask a further library for a status; this
      // program has none, and a status of 0 lets every pick through.
      {f.txtAsstDoc, f.txtAsstDocID, true, {}, {}},
  };
  for (const DoctorPicker& picker : pickers)
    picker.name->SetKeyPressHook([picker](qint16& keyAscii) { OnKey(picker, keyAscii); });
}

}  // namespace staff
