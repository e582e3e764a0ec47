// The entry form's modes: New, Edit, Cancel and Exit, and the two operations they share.
#include "requests/EntryForm.h"

#include <QLineEdit>
#include <QPushButton>

#include "platform/Format.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/TextBox.h"
#include "session/ServerDate.h"
#include "session/modGlobal.h"

namespace requests {
namespace {

const QColor kEditableBack(255, 255, 255);
const QColor kReadOnlyBack(224, 224, 224);
const QColor kAccent(128, 128, 255);

// The captions button 1 is given, without an access key; only "Cancel" cancels.
const QString kCancel = QStringLiteral("Cancel");
const QString kEdit = QStringLiteral("Edit");

// The widths of the hospital's columns that the typed fields are stored in: a field takes no
// more, so that what the form shows is what is stored.
constexpr int kPatientNameWidth = 150;
constexpr int kProcedureWidth = 400;
constexpr int kPatientRoomWidth = 30;
constexpr int kRemarksWidth = 4000;

}  // namespace

EntryForm::EntryForm(const EntryControls& controls, RequestList& requestList,
                     std::function<void()> closeWindow, session::ConnectionProvider connection)
    : c_(controls),
      requestList_(requestList),
      closeWindow_(std::move(closeWindow)),
      connection_(std::move(connection)) {
  staff_ = {
      {c_.txtSurgeon[0], c_.txtSurgeonID[0], QStringLiteral("surgeon"), true},
      {c_.txtSurgeon[1], c_.txtSurgeonID[1], QStringLiteral("Asst. 1 of the surgeons"), false},
      {c_.txtSurgeon[2], c_.txtSurgeonID[2], QStringLiteral("Asst. 2 of the surgeons"), false},
      {c_.txtAnest[0], c_.txtAnestID[0], QStringLiteral("anesthesiologist"), true},
      {c_.txtAnest[1], c_.txtAnestID[1], QStringLiteral("Asst. 1 of the anesthesiologists"), false},
      {c_.txtSNurse[0], c_.txtSNurseID[0], QStringLiteral("scrub nurse"), true},
      {c_.txtSNurse[1], c_.txtSNurseID[1], QStringLiteral("Asst. 1 of the scrub nurses"), false},
      {c_.txtCNurse, c_.txtCNurseID, QStringLiteral("circulating nurse"), true},
      {c_.txtAsstDoc, c_.txtAsstDocID, QStringLiteral("Asst. Doctor"), false},
  };
  c_.txtName->setMaxLength(kPatientNameWidth);
  c_.txtProcedure->setMaxLength(kProcedureWidth);
  c_.txtRoomID->setMaxLength(kPatientRoomWidth);
  c_.txtRemarks->setMaxLength(kRemarksWidth);
  // A name the user changes by typing is no longer the person picked: the code goes with it,
  // so that a save never sends someone the form does not show.
  for (const StaffField& field : staff_) {
    platform::TextBox* code = field.code;
    platform::ConnectGuarded(field.name, &QLineEdit::textEdited, field.name,
                             [code] { code->clear(); });
  }
  // Enter on a focused button presses nothing: the Enter that moves on from the last field
  // lands on button 1, which reads "Cancel" while a request is being written.
  for (QPushButton* button : c_.cmdOption)
    button->setAutoDefault(false);
}

void EntryForm::RememberStartUpEarliest() {
  startUpDate_ = c_.dtpOperation->MinDate();
  startUpTime_ = c_.dtpOperTime->MinDate();
}

void EntryForm::RestoreStartUpEarliest() {
  if (!startUpDate_.isValid()) return;
  c_.dtpOperation->SetMinDate(startUpDate_);
  c_.dtpOperTime->SetMinDate(startUpTime_, c_.dtpOperation);
}

std::vector<platform::TextBox*> EntryForm::EditableFields() const {
  return {c_.txtName,     c_.txtProcedure, c_.txtSurgeon[0], c_.txtSurgeon[1], c_.txtSurgeon[2],
          c_.txtAnest[0], c_.txtAnest[1],  c_.txtSNurse[0],  c_.txtSNurse[1],  c_.txtCNurse,
          c_.txtRemarks,  c_.txtRoomID,    c_.txtAsstDoc,    c_.txtAsstDocID};
}

void EntryForm::Enable_Fields(bool editable) {
  const std::vector<platform::TextBox*> fields = EditableFields();
  for (platform::TextBox* field : fields)
    field->setEnabled(editable);
  c_.cboRequestRoom->setEnabled(editable);
  c_.dtpOperation->setEnabled(editable);
  c_.dtpOperTime->setEnabled(editable);

  const QColor back = editable ? kEditableBack : kReadOnlyBack;
  for (platform::TextBox* field : fields)
    field->SetBackColor(back);
  c_.cboRequestRoom->SetBackColor(back);

  for (platform::TextBox* field : fields)
    field->SetAccentColor(kAccent);
}

void EntryForm::Clear_Fields() {
  for (platform::TextBox* field : EditableFields())
    field->clear();
  c_.txtTransNum->clear();
  // Every staff code goes with its name: a new request never carries the last one's team.
  for (const StaffField& field : staff_)
    field.code->clear();
  c_.cboRequestRoom->SetText(QString());
  loadedRoomName_.clear();
  loadedRoomCode_.clear();
  loaded_.reset();
  unsureEdit_.reset();
  unsettledInForm_ = false;
}

void EntryForm::cmdOption_Click(int index) {
  switch (index) {
    case 0:
      New();
      break;
    case 1:
      if (c_.cmdOption[1]->text() == kCancel)
        Cancel();
      else
        Edit();
      break;
    case 2:
      closeWindow_();
      break;
    case 3:
      Save();
      break;
    default:
      break;
  }
}

// The clock is read first: when it cannot be read, the form stays as it was, in its mode.
void EntryForm::New() {
  Get_ServerDate(connection_);
  Clear_Fields();
  RestoreStartUpEarliest();
  SetPickersToServerTime();
  Enable_Fields(true);
  EnterWritingMode();
}

void EntryForm::Edit() {
  Enable_Fields(true);
  EnterWritingMode();
  c_.cmdOpt[0]->setEnabled(false);
  c_.cmdOpt[1]->setEnabled(false);
}

// Confirm and Revoke stay as writing left them, until a click on the list sets them again.
void EntryForm::Cancel() {
  Clear_Fields();
  Enable_Fields(false);
  RestoreStartUpEarliest();
  ReturnToIdleMode();
}

void EntryForm::SetPickersToServerTime() {
  const QDateTime now = modGlobal::ServerDateTime;
  c_.dtpOperation->SetValue(platform::Format(now, QStringLiteral("mm/dd/yyyy")));
  c_.dtpOperTime->SetValue(platform::Format(now, QStringLiteral("hh:mm:ss AM/PM")));
}

// New and edit mode: Save and Cancel, nothing else of the form's buttons, and no list.
void EntryForm::EnterWritingMode() {
  c_.cmdOption[3]->setEnabled(true);
  c_.cmdOption[1]->setEnabled(true);
  c_.cmdOption[1]->setText(kCancel);
  c_.cmdOption[0]->setEnabled(false);
  c_.cmdOption[2]->setEnabled(false);
  c_.fraPendingRequest->setEnabled(false);
}

void EntryForm::ReturnToIdleMode() {
  c_.cmdOption[1]->setEnabled(false);
  c_.cmdOption[1]->setText(kEdit);
  c_.cmdOption[3]->setEnabled(false);
  c_.cmdOption[0]->setEnabled(true);
  c_.fraPendingRequest->setEnabled(true);
  c_.cmdOption[2]->setEnabled(true);
}

}  // namespace requests
