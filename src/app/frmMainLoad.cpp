// Start-up (the main window's load) and the release of the components at unload.
#include <QApplication>
#include <QTimer>

#include "app/frmMain.h"
#include "platform/Connection.h"
#include "platform/Format.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/MsgBox.h"
#include "requests/EntryForm.h"
#include "requests/ListRefresh.h"
#include "requests/RequestList.h"
#include "requests/RoomList.h"
#include "session/ServerDate.h"
#include "session/modGlobal.h"
#include "suite/Component.h"
#include "suite/widgets/StandardComponents.h"

using platform::MsgBox;

bool frmMain::Form_Load() {
  // A second copy for the same user on the same machine is refused before anything else.
  if (instance_.AnotherCopyRuns()) {
    MsgBox(QStringLiteral("Program is already Loaded!"), platform::vbOKOnly | platform::vbCritical,
           QStringLiteral("WARNING!"));
    return false;
  }
  try {
    Resize_Frame();
    if (!StartComponents()) return false;
    SetDatePickers(Get_ServerDate());
    entryForm_->RememberStartUpEarliest();
    requests::Load_ORRooms(*cboRequestRoom);
    requestList_->Format_Grid();
    requestList_->Reload();  // the requests of the server's date
    listRefresh_->Timer().start();
  } catch (const std::exception& error) {
    // The window is not usable yet: report once and end.
    platform::ReportFailure(error);
    Form_Unload();
    return false;
  }
  return true;
}

// The current user with its connection, then the code-search and keystroke components,
// configured. False when the current user has no connection.
bool frmMain::StartComponents() {
  suite::RegisterStandardComponents();
  ownsComponents_ = true;
  modGlobal::CurrentUser = suite::CreateObjectAs<suite::ICurrentUser>(suite::kCurrentUserProgId);
  modGlobal::CurrentUser->hwndParentForm(static_cast<qint32>(winId()));
  modGlobal::CurrentUser->showmain();
  if (!modGlobal::CurrentUser->Connected()) {
    // On its second line, what could not be opened and why: started from a menu, the program
    // has nowhere else to say it.
    MsgBox(QStringLiteral("Connection Failed\n") + modGlobal::CurrentUser->connectError(),
           platform::vbOKOnly | platform::vbCritical, QString());
    Form_Unload();
    return false;
  }
  const auto connection = modGlobal::CurrentUser->SQLConnection();
  connection->SetCommandTimeout(120);
  connection->SetCursorLocation(platform::adUseClient);

  modGlobal::CodeSearch = suite::CreateObjectAs<suite::ICodeSearch>(suite::kCodeSearchProgId);
  modGlobal::KeyFilter = suite::CreateObjectAs<suite::IKeyPress>(suite::kKeyPressProgId);

  modGlobal::CodeSearch->MTS_Server(QString());
  modGlobal::CodeSearch->SearchMode(true);
  modGlobal::CodeSearch->Initialize_Classes();
  modGlobal::CodeSearch->Connection(modGlobal::CurrentUser->SQLConnection());
  modGlobal::CodeSearch->CompanyName(QString());
  return true;
}

// The pickers on the server's date and time; no operation before that date.
void frmMain::SetDatePickers(const QDateTime& now) {
  dtpOperation->SetValue(platform::Format(now, QStringLiteral("MM/DD/YYYY")));
  dtpOperTime->SetValue(platform::Format(now, QStringLiteral("hh:mm:ss AM/PM")));
  dtpOperation->SetMinDate(platform::WallClock(now.date(), QTime(0, 0)));
  dtpOperTime->SetMinDate(QVariant(now.time()), dtpOperation);
  // Setting the list's picker in code does not reload the list: start-up lists it once, last.
  DTPicker1->SetValue(platform::Format(now, QStringLiteral("MM/DD/YYYY")));
}

void frmMain::Form_Unload() {
  instance_.Release();
  if (!ownsComponents_) return;  // a refused second window leaves the first one's alone
  ownsComponents_ = false;
  modGlobal::Unload();
}
