#include "staff/NursePickers.h"

#include "platform/widgets/MsgBox.h"
#include "platform/widgets/SendKeys.h"
#include "platform/widgets/TextBox.h"
#include "session/modGlobal.h"
#include "staff/Keystrokes.h"
#include "staff/frmStaff.h"

namespace staff {
namespace {

using platform::TextBox;

struct NursePicker {
  TextBox* name;
  TextBox* code;
  TextBox* mustDiffer;  // the first scrub nurse's name, for the second; else null
};

void OnKey(const NursePicker& picker, qint16& keyAscii) {
  if (keyAscii != kEnter) {
    keyAscii = AllUppers(keyAscii);
    return;
  }
  frmStaff window(picker.name->window());
  window.SetSearchMode(true);
  window.SetSearchKey(picker.name->text());
  window.exec();
  picker.name->setText(modGlobal::StaffName);
  picker.code->setText(modGlobal::StaffCode);
  // Compared by the name shown; no pick names no one, so it is never the same nurse.
  if (picker.mustDiffer && !picker.name->text().isEmpty() &&
      picker.name->text() == picker.mustDiffer->text()) {
    platform::MsgBox(QStringLiteral("Scrub Nurse already selected!"),
                     platform::vbOKOnly | platform::vbInformation, QStringLiteral("WARNING!"));
    picker.name->clear();
    picker.code->clear();
    picker.name->setFocus();
    return;  // Enter stays, and nothing moves on
  }
  platform::QueueTab(picker.name);
  keyAscii = 0;
}

}  // namespace

void InstallNursePickers(const NurseFields& f) {
  const NursePicker pickers[] = {
      {f.txtSNurse[0], f.txtSNurseID[0], nullptr},
      {f.txtSNurse[1], f.txtSNurseID[1], f.txtSNurse[0]},
      {f.txtCNurse, f.txtCNurseID, nullptr},
  };
  for (const NursePicker& picker : pickers)
    picker.name->SetKeyPressHook([picker](qint16& keyAscii) { OnKey(picker, keyAscii); });
}

}  // namespace staff
