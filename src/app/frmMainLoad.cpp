// Start-up (the main window's load) and the release of the components at unload.
#include <QApplication>

#include "app/ServerDate.h"
#include "app/frmMain.h"
#include "app/modGlobal.h"
#include "platform/Connection.h"
#include "platform/DTPicker.h"
#include "platform/Format.h"
#include "platform/MsgBox.h"
#include "requests/RequestList.h"
#include "requests/RoomList.h"
#include "suite/Component.h"

using platform::MsgBox;

bool frmMain::Form_Load() {
  // 1. A second copy for the same user on the same machine is refused before anything else.
  if (instance_.AnotherCopyRuns()) {
    MsgBox(QStringLiteral("Program is already Loaded!"), platform::vbOKOnly | platform::vbCritical,
           QStringLiteral("WARNING!"));
    return false;
  }
  try {
    Resize_Frame();  // 2.
    if (!StartComponents()) return false;
    Get_ServerDate();                         // 10.
    SetDatePickers();                         // 11.
    requests::Load_ORRooms(*cboRequestRoom);  // 12.
    requestList_->Format_Grid();              // 13.
    requestList_->Load_ORSchedule(
        platform::Format(DTPicker1->Value(), QStringLiteral("MM/DD/YYYY")));  // 14.
  } catch (const std::exception& error) {
    // The window is not usable yet: report once and end.
    platform::ReportFailure(error);
    Form_Unload();
    return false;
  }
  return true;
}

// Steps 3 to 9: the current user with its connection, then the code-search and keystroke
// components. False when the current user has no connection.
bool frmMain::StartComponents() {
  suite::RegisterStandardComponents();
  ownsComponents_ = true;
  modGlobal::CurrentUser = suite::CreateObjectAs<suite::ICurrentUser>(suite::kCurrentUserProgId);
  modGlobal::CurrentUser->hwndParentForm(static_cast<qint32>(winId()));
  modGlobal::CurrentUser->showmain();
  if (!modGlobal::CurrentUser->Connected()) {
    MsgBox(QStringLiteral("Connection Failed"), platform::vbOKOnly | platform::vbCritical,
           QString());
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

// Step 11: the pickers on the server's date and time; no operation before that date.
void frmMain::SetDatePickers() {
  const QDateTime now = modGlobal::ServerDateTime;
  dtpOperation->SetValue(platform::Format(now, QStringLiteral("MM/DD/YYYY")));
  dtpOperTime->SetValue(platform::Format(now, QStringLiteral("hh:mm:ss AM/PM")));
  dtpOperation->SetMinDate(QDateTime(now.date(), QTime(0, 0)));
  dtpOperTime->SetMinDate(QVariant(now.time()), dtpOperation);
  // Setting the list's picker in code does not reload the list: step 14 does, once.
  DTPicker1->SetValue(platform::Format(now, QStringLiteral("MM/DD/YYYY")));
}

void frmMain::Form_Unload() {
  instance_.Release();
  if (!ownsComponents_) return;  // a refused second window leaves the first one's alone
  ownsComponents_ = false;
  // The components go in this order; the connection belongs to the current user.
  modGlobal::CodeSearch.reset();
  modGlobal::CurrentUser.reset();
  modGlobal::KeyFilter.reset();
}
