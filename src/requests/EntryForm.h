#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "requests/PaneState.h"
#include "requests/SaveOutcome.h"
#include "session/ConnectionProvider.h"
#include "session/ORSchedule.h"

class QPushButton;
class QWidget;

namespace platform {
class ComboBox;
class DTPicker;
class DurationBox;
class FlexGrid;
class MultiLineTextBox;
class TextBox;
}  // namespace platform

namespace requests {

class OwnWrites;
class PaneState;
class RequestList;

// The controls of the entry form as the main window lays them out, and the request pane that
// the form's modes lock and unlock.
struct EntryControls {
  platform::TextBox* txtName;
  platform::TextBox* txtRoomID;
  platform::TextBox* txtProcedure;
  platform::DTPicker* dtpOperation;
  platform::DTPicker* dtpOperTime;
  platform::ComboBox* cboRequestRoom;
  platform::DurationBox* dtpDuration;  // "Est. Duration", on the OR Room row
  platform::TextBox* txtTransNum;
  platform::TextBox* txtAsstDoc;
  platform::TextBox* txtAsstDocID;
  std::array<platform::TextBox*, 3> txtSurgeon;
  std::array<platform::TextBox*, 3> txtSurgeonID;
  std::array<platform::TextBox*, 2> txtAnest;
  std::array<platform::TextBox*, 2> txtAnestID;
  std::array<platform::TextBox*, 2> txtSNurse;
  std::array<platform::TextBox*, 2> txtSNurseID;
  platform::TextBox* txtCNurse;
  platform::TextBox* txtCNurseID;
  platform::MultiLineTextBox* txtRemarks;
  std::array<QPushButton*, 4> cmdOption;  // 0 New, 1 Edit or Cancel, 2 Exit, 3 Save
  platform::FlexGrid* mshflexPending;
};

using session::StaffRole;

// One member of the operation's team as the form holds it: the name the user reads and the
// staff code that saving sends.
struct StaffField {
  platform::TextBox* name;
  platform::TextBox* code;
  QString caption;  // as the user reads it, e.g. "Asst. 1 of the surgeons"
  bool required;
};

// The entry form: its modes (idle, viewing, new, edit; kept by the pane's state), loading a
// listed request into it and saving what it holds.
class EntryForm {
 public:
  EntryForm(const EntryControls& controls, RequestList& requestList, PaneState& state,
            OwnWrites& own, std::function<void()> closeWindow,
            session::ConnectionProvider connection = session::CurrentUserConnection());

  // Keeps the earliest values start-up gave the date and time pickers; New, Cancel and a save
  // return to them after a loaded request lowered them.
  void RememberStartUpEarliest();

  // Editable (white) or read-only (grey) fields; the accent colour in both.
  void Enable_Fields(bool editable);
  // Empties the form: the text fields, each staff code with its name, and the room box.
  void Clear_Fields();

  // The button array: 0 New, 1 Edit (Cancel while writing), 2 Exit, 3 Save; any other index
  // does nothing.
  void cmdOption_Click(int index);

  // Shows the grid's current request, read-only. Bad cell data stops it silently; a failure
  // of the database is reported by the caller.
  void mshflexPending_DblClick();

  // This workstation has stored a request (`statusOnly`: confirmed or revoked it): when it is
  // the one the form holds, a later save does not take that for another workstation's doing.
  void NoteOwnChange(const session::ORSchedule& stored, bool statusOnly);

 private:
  void New();
  void Edit();
  void Cancel();
  void Save();

  // The fourteen fields that Enable_Fields and Clear_Fields work on, but for the remarks box.
  std::vector<platform::TextBox*> EditableFields() const;
  // What the form shows, to tell whether anything was typed since New or Edit.
  QStringList Shown() const;
  void StartWriting(FormMode mode);
  void RestoreStartUpEarliest();
  void SetPickersToServerTime(const QDateTime& now);

  // Loading.
  void FillFields(const session::ORSchedule& request);
  void ShowBeginnings();
  void ShowRoomOf(const QString& roomCode);

  // Saving.
  bool Validate() const;
  bool RefuseStaffWithoutCode() const;
  bool LookUpRoomCode(QString& roomCode) const;
  session::ORSchedule RequestToSave(const QString& roomCode) const;
  // The save in one transaction with its check (EntryFormStore.cpp); false when nothing was
  // stored now, the user having been told why or having chosen so.
  bool Store(session::ORSchedule& request, const QDateTime& savedAt);
  bool StoreNew(const session::ORSchedule& request, const QString& savedBy,
                const QDateTime& savedAt);
  bool StoreChange(session::ORSchedule& request, const QString& savedBy, const QDateTime& savedAt);
  void Saved();
  Fate SettleNew();
  bool SettleEarlierSave(session::ORSchedule& toSend);

  EntryControls c_;
  RequestList& requestList_;
  PaneState& state_;
  OwnWrites& own_;
  std::function<void()> closeWindow_;
  session::ConnectionProvider connection_;
  std::vector<StaffField> staff_;  // by StaffRole
  QDateTime startUpDate_, startUpTime_;
  // The room shown with the loaded request, by name and code, while the form shows it.
  QString loadedRoomName_, loadedRoomCode_;
  // The request as listed when it was loaded, while the form shows or edits it: the one a save
  // changes, and what the save's check compares the server's with.
  std::optional<session::ORSchedule> loaded_;
  // A new request whose commit's answer was lost and that could not yet be looked for; it
  // outlives Cancel, New and a load, and is settled before the next save. `unsettledInForm_`
  // while the form still holds it as typed.
  std::optional<SentRequest> unsettled_;
  bool unsettledInForm_ = false;
  // What the form showed when New or Edit began.
  QStringList shownAtStart_;
};

}  // namespace requests
