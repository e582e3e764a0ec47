// Showing a listed request in the entry form, read-only, on a double click of the list.

#include "platform/Connection.h"
#include "platform/Format.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/DurationBox.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MultiLineTextBox.h"
#include "platform/widgets/TextBox.h"
#include "requests/EntryForm.h"
#include "requests/RequestList.h"
#include "session/Statements.h"

namespace requests {
namespace {

using session::ORSchedule;

// Shows the value exactly, even one before the picker's earliest value: the earliest value
// is lowered to it rather than the request shown with another date or time.
void ShowExactly(platform::DTPicker& picker, const QDateTime& value) {
  picker.LowerMinDateTo(value);
  picker.SetValue(value);
}

}  // namespace

void EntryForm::mshflexPending_DblClick() {
  const int row = c_.mshflexPending->Row();
  if (row < 1) return;  // no request is current
  for (QWidget* field : std::initializer_list<QWidget*>{
           c_.txtName, c_.txtProcedure, c_.cboRequestRoom, c_.txtSurgeon[0], c_.txtSurgeon[1],
           c_.txtSurgeon[2], c_.txtAnest[0], c_.txtAnest[1], c_.txtSNurse[0], c_.txtSNurse[1],
           c_.txtCNurse, c_.txtRemarks, c_.dtpOperation, c_.dtpOperTime, c_.txtRoomID,
           c_.txtAsstDoc, c_.txtAsstDocID, c_.dtpDuration})
    field->setEnabled(false);

  const ORSchedule listed = requestList_.Listing().At(row - 1);
  // A date that cannot be read stops the load silently, before any field changes.
  const QDateTime& when = listed.operationAt;
  if (!when.isValid()) return;
  RestoreStartUpEarliest();
  ShowExactly(*c_.dtpOperation, when);
  ShowExactly(*c_.dtpOperTime, when);
  FillFields(listed);
  ShowBeginnings();
  loaded_ = listed;
  ShowRoomOf(listed.orRoomCode.trimmed());
  state_.SetMode(FormMode::Viewing);
}

// Each field shows its value trimmed, and gives it back as stored unless changed; each
// member of the team by code and name.
void EntryForm::FillFields(const ORSchedule& r) {
  c_.txtName->ShowStored(r.patientName);
  c_.txtProcedure->ShowStored(r.procedure);
  c_.txtTransNum->ShowStored(r.TransNumText());
  c_.txtRoomID->ShowStored(r.patientRoom);
  for (int role = 0; role < session::kStaffRoles; ++role) {
    staff_[role].code->ShowStored(r.staff[role].code);
    staff_[role].name->ShowStored(r.staff[role].name);
  }
  c_.txtRemarks->ShowStored(r.remarks);
  c_.dtpDuration->SetMinutes(r.minutes);
}

// A long text is read from its beginning: a field filled shows its end.
void EntryForm::ShowBeginnings() {
  for (platform::TextBox* field : EditableFields())
    field->setCursorPosition(0);
}

// The room box shows the name of the request's room. When the room is not found, or the
// lookup fails, it shows no room: never the room of the request shown before.
void EntryForm::ShowRoomOf(const QString& roomCode) {
  c_.cboRequestRoom->SetText(QString());
  loadedRoomName_.clear();
  loadedRoomCode_.clear();
  auto rooms = connection_()->Open(session::RoomNameSql(roomCode), platform::CursorType::Dynamic,
                                   platform::LockType::Optimistic);
  if (!rooms->AtEnd()) {
    c_.cboRequestRoom->SetText(platform::DefaultText(rooms->Field(QStringLiteral("RoomName"))));
    loadedRoomName_ = c_.cboRequestRoom->Text();
    if (!loadedRoomName_.isEmpty()) loadedRoomCode_ = roomCode;
  }
  rooms->Close();
}

}  // namespace requests
