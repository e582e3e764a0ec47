// Saving the request the entry form holds: check it, look up its room's code, store it, and
// return the form to idle mode with the list reloaded.
#include <QPushButton>
#include <tuple>
#include <utility>

#include "platform/Connection.h"
#include "platform/Duration.h"
#include "platform/Format.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/DurationBox.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/MultiLineTextBox.h"
#include "platform/widgets/TextBox.h"
#include "requests/EntryForm.h"
#include "requests/RequestList.h"
#include "session/ServerDate.h"
#include "session/Statements.h"
#include "session/modGlobal.h"

namespace requests {
namespace {

const QString kIncomplete = QStringLiteral("Incomplete Data!");

// Refuses the save: the message under "Incomplete Data!", then the focus on the field to mend.
bool RefuseWith(const QString& prompt, QWidget* field) {
  platform::MsgBox(prompt, platform::vbOKOnly | platform::vbCritical, kIncomplete);
  field->setFocus();
  return false;
}

bool Refuse(const QString& missing, QWidget* field) {
  return RefuseWith(QStringLiteral("Can't save incomplete data! Please provide %1.").arg(missing),
                    field);
}

bool HasName(const StaffField& field) {
  return !field.name->text().trimmed().isEmpty();
}

// A name typed without a pick: the form shows someone whose code it does not hold. A pick (or a
// load) writes the name, which is then no longer the user's typing; a person picked who has no
// code is missing, not unpicked.
bool TypedWithoutPick(const StaffField& field) {
  return HasName(field) && field.code->text().isEmpty() && field.name->isModified();
}

// The code a save sends for a member of the team: none when no one is named.
QString CodeToSend(const StaffField& field) {
  return HasName(field) ? field.code->Value() : QString();
}

bool RefuseUnpicked(const StaffField& field) {
  return RefuseWith(QStringLiteral("Can't save incomplete data! The %1 \"%2\" was typed but not "
                                   "picked: press Enter in the field and pick from the list%3.")
                        .arg(field.caption, field.name->text(),
                             field.required ? QString() : QStringLiteral(", or clear it")),
                    field.name);
}

// A date or time typed that the picker could not take is named, never saved as another.
bool PickersHoldValues(const EntryControls& c) {
  const std::pair<platform::TypedField*, QString> pickers[] = {
      {c.dtpOperation, QStringLiteral("schedule date")},
      {c.dtpOperTime, QStringLiteral("schedule time")},
      {c.dtpDuration, QStringLiteral("Est. Duration")}};
  for (const auto& [picker, caption] : pickers) {
    const QString problem = picker->Problem();
    if (!problem.isEmpty())
      return RefuseWith(QStringLiteral("Can't save: the %1 %2.").arg(caption, problem), picker);
  }
  return true;
}

// An expected duration is one the project's table keeps, from 0:05 to 24:00; none is unknown.
bool DurationFits(platform::DurationBox& field) {
  const std::optional<int> minutes = field.Minutes();
  if (!minutes || (*minutes >= session::kShortestMinutes && *minutes <= session::kLongestMinutes))
    return true;
  return RefuseWith(QStringLiteral("Can't save: the Est. Duration %1 is not from 0:05 to 24:00 (5 "
                                   "minutes to 24 hours).")
                        .arg(platform::DurationText(*minutes)),
                    &field);
}

// The widths of the hospital's columns the texts are stored in. A longer text (typed, or
// loaded from a row written before the limit) is shown whole and refused here: never cut.
bool TextsFitTheirColumns(const EntryControls& c) {
  const std::tuple<QWidget*, QString, QString, int> columns[] = {
      {c.txtName, c.txtName->Value(), QStringLiteral("patient name"), 150},
      {c.txtProcedure, c.txtProcedure->Value(), QStringLiteral("procedure"), 400},
      {c.txtRoomID, c.txtRoomID->Value(), QStringLiteral("patient's room (Room ID)"), 30},
      {c.txtRemarks, c.txtRemarks->Value(), QStringLiteral("remarks"), 4000}};
  for (const auto& [field, text, caption, width] : columns) {
    if (text.size() <= width) continue;
    return RefuseWith(QStringLiteral("Can't save: the %1 is %2 characters long, and the "
                                     "hospital's database holds no more than %3. Please shorten "
                                     "it.")
                          .arg(caption)
                          .arg(text.size())
                          .arg(width),
                      field);
  }
  return true;
}

}  // namespace

// Earlier writes of this desk whose fate is not known yet are settled first: while the server
// cannot tell, nothing is sent.
void EntryForm::Save() {
  if (!Validate()) return;
  const QDateTime savedAt = Get_ServerDate(connection_);
  QString roomCode;
  if (!LookUpRoomCode(roomCode)) {
    Refuse(QStringLiteral("OR Room for operation"), c_.cboRequestRoom);
    return;
  }
  session::ORSchedule request = RequestToSave(roomCode);
  if (!own_.Settle() || !SettleEarlierSave(request) || !Store(request, savedAt)) return;
  Saved();
}

// The request is stored: whatever fails from here on, the form returns to idle mode.
void EntryForm::Saved() {
  platform::MsgBox(QStringLiteral("Schedule successfully saved!"),
                   platform::vbOKOnly | platform::vbInformation, QStringLiteral("SUCCESS!"));
  Clear_Fields();
  platform::Guarded([this] { requestList_.Reload(); });
  state_.SetMode(FormMode::Idle);
  Enable_Fields(false);
  platform::Guarded([this] {
    const QDateTime now = Get_ServerDate(connection_);
    RestoreStartUpEarliest();
    SetPickersToServerTime(now);
  });
}

// The required fields in their fixed order, then the optional team members named without a
// pick. The first that fails says so and takes the focus.
bool EntryForm::Validate() const {
  if (c_.txtName->text().isEmpty()) return Refuse(QStringLiteral("patient name"), c_.txtName);
  if (c_.txtProcedure->text().isEmpty())
    return Refuse(QStringLiteral("name of procedure"), c_.txtProcedure);
  if (c_.cboRequestRoom->Text().isEmpty())
    return Refuse(QStringLiteral("OR Room for operation"), c_.cboRequestRoom);
  // A required member is the code the save sends: a name of blanks names no one, and one
  // typed without a pick is told how to pick.
  for (StaffRole role : {session::kSurgeon, session::kAnes, session::kSNurse, session::kCNurse}) {
    const StaffField& field = staff_[role];
    if (TypedWithoutPick(field)) return RefuseUnpicked(field);
    if (CodeToSend(field).isEmpty()) return Refuse(field.caption, field.name);
  }
  return PickersHoldValues(c_) && DurationFits(*c_.dtpDuration) && TextsFitTheirColumns(c_) &&
         RefuseStaffWithoutCode();
}

bool EntryForm::RefuseStaffWithoutCode() const {
  for (const StaffField& field : staff_)
    if (!field.required && TypedWithoutPick(field)) return RefuseUnpicked(field);
  return true;
}

// The code of the room shown. A request being changed keeps the room it was loaded with while
// the box still shows that room, so that two rooms of one name cannot swap it. False when no
// room has the name shown, or the room found has no code (a null one): the request would be
// saved without its room.
bool EntryForm::LookUpRoomCode(QString& roomCode) const {
  const QString shown = c_.cboRequestRoom->Text();
  if (!loadedRoomCode_.isEmpty() && shown == loadedRoomName_) {
    roomCode = loadedRoomCode_;
    return true;
  }
  auto rooms = connection_()->Open(session::RoomCodeSql(shown), platform::CursorType::Dynamic,
                                   platform::LockType::Optimistic);
  if (!rooms->AtEnd()) roomCode = platform::DefaultText(rooms->Field(QStringLiteral("RoomID")));
  rooms->Close();
  return !roomCode.isEmpty();
}

// What the form holds, as typed: a change of the request loaded, or a new one. The operation's
// date and time to the second, as the pickers show them.
session::ORSchedule EntryForm::RequestToSave(const QString& roomCode) const {
  session::ORSchedule r;
  if (loaded_) r.transNum = loaded_->transNum;
  r.patientName = c_.txtName->Value();
  r.orRoomCode = roomCode;
  for (int role = 0; role < session::kStaffRoles; ++role)
    r.staff[role] = {CodeToSend(staff_[role]), staff_[role].name->Value()};
  r.remarks = c_.txtRemarks->Value();
  r.procedure = c_.txtProcedure->Value();
  r.patientRoom = c_.txtRoomID->Value();
  r.minutes = c_.dtpDuration->Minutes();
  const QTime time = c_.dtpOperTime->Time();
  r.operationAt = platform::WallClock(c_.dtpOperation->Date(),
                                      QTime(time.hour(), time.minute(), time.second()));
  return r;
}

}  // namespace requests
