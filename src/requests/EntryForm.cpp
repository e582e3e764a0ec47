// The entry form's modes: New, Edit, Cancel and Exit, and the two operations they share.
#include "requests/EntryForm.h"

#include <QLineEdit>
#include <QPushButton>

#include "platform/Format.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/DurationBox.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/MultiLineTextBox.h"
#include "platform/widgets/TextBox.h"
#include "session/ServerDate.h"

namespace requests {
namespace {

const QColor kEditableBack(255, 255, 255);
const QColor kReadOnlyBack(224, 224, 224);
const QColor kAccent(128, 128, 255);

}  // namespace

EntryForm::EntryForm(const EntryControls& controls, RequestList& requestList, PaneState& state,
                     OwnWrites& own, std::function<void()> closeWindow,
                     session::ConnectionProvider connection)
    : c_(controls),
      requestList_(requestList),
      state_(state),
      own_(own),
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
  // Enter moves on from every field, as it does from the text fields.
  c_.dtpOperation->SetEnterMovesOn(true);
  c_.dtpOperTime->SetEnterMovesOn(true);
  c_.dtpDuration->SetEnterMovesOn(true);
  c_.cboRequestRoom->SetEnterMovesOn(true);
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
          c_.txtRoomID,   c_.txtAsstDoc,   c_.txtAsstDocID};
}

void EntryForm::Enable_Fields(bool editable) {
  const std::vector<platform::TextBox*> fields = EditableFields();
  for (platform::TextBox* field : fields)
    field->setEnabled(editable);
  c_.txtRemarks->setEnabled(editable);
  c_.cboRequestRoom->setEnabled(editable);
  c_.dtpOperation->setEnabled(editable);
  c_.dtpOperTime->setEnabled(editable);
  c_.dtpDuration->setEnabled(editable);

  const QColor back = editable ? kEditableBack : kReadOnlyBack;
  for (platform::TextBox* field : fields)
    field->SetBackColor(back);
  c_.txtRemarks->SetBackColor(back);
  c_.cboRequestRoom->SetBackColor(back);

  for (platform::TextBox* field : fields)
    field->SetAccentColor(kAccent);
  c_.txtRemarks->SetAccentColor(kAccent);
}

void EntryForm::Clear_Fields() {
  for (platform::TextBox* field : EditableFields())
    field->clear();
  c_.txtRemarks->clear();
  c_.dtpDuration->SetMinutes(std::nullopt);
  c_.txtTransNum->clear();
  // Every staff code goes with its name: a new request never carries the last one's team.
  for (const StaffField& field : staff_)
    field.code->clear();
  c_.cboRequestRoom->SetText(QString());
  loadedRoomName_.clear();
  loadedRoomCode_.clear();
  loaded_.reset();
  unsettledInForm_ = false;
}

void EntryForm::cmdOption_Click(int index) {
  switch (index) {
    case 0:
      New();
      break;
    case 1:
      if (state_.Writing())
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
  const QDateTime now = Get_ServerDate(connection_);
  Clear_Fields();
  RestoreStartUpEarliest();
  SetPickersToServerTime(now);
  Enable_Fields(true);
  StartWriting(FormMode::New);
}

// Confirm and Revoke wait for the user's pick of a request once the edit is over.
void EntryForm::Edit() {
  Enable_Fields(true);
  state_.Select(std::nullopt);
  StartWriting(FormMode::Edit);
}

// A Space meant for a field can land on Cancel: what was typed goes only when the user says so.
void EntryForm::Cancel() {
  if (Shown() != shownAtStart_ &&
      platform::MsgBox(QStringLiteral("Discard the changes to this schedule?"),
                       platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2,
                       QStringLiteral("Cancel?")) != platform::vbYes)
    return;
  Clear_Fields();
  c_.dtpOperation->Revert();
  c_.dtpOperTime->Revert();
  Enable_Fields(false);
  RestoreStartUpEarliest();
  state_.SetMode(FormMode::Idle);
}

// The server's own clock is never refused: a clock set back since start-up lowers the earliest
// values to it.
void EntryForm::SetPickersToServerTime(const QDateTime& now) {
  c_.dtpOperation->LowerMinDateTo(now);
  c_.dtpOperation->SetValue(platform::Format(now, QStringLiteral("mm/dd/yyyy")));
  c_.dtpOperTime->LowerMinDateTo(now);
  c_.dtpOperTime->SetValue(platform::Format(now, QStringLiteral("hh:mm:ss AM/PM")));
}

QStringList EntryForm::Shown() const {
  QStringList shown;
  for (platform::TextBox* field : EditableFields())
    shown << field->text();
  return shown << c_.txtRemarks->text() << c_.cboRequestRoom->Text() << c_.dtpDuration->text()
               << c_.dtpOperation->text() << c_.dtpOperTime->text();
}

// New and edit mode: Save and Cancel, nothing else of the form's buttons, and no list. The
// typing starts in the patient's name, whichever button had the focus.
void EntryForm::StartWriting(FormMode mode) {
  state_.SetMode(mode);
  shownAtStart_ = Shown();
  c_.txtName->setFocus();
}

}  // namespace requests
