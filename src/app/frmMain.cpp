#include "app/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <utility>

#include "app/Anchors.h"

#include "board/frmView.h"
#include "platform/Twips.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/Fonts.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/MultiLineTextBox.h"
#include "platform/widgets/ProgramStyle.h"
#include "platform/widgets/SysInfo.h"
#include "platform/widgets/TextBox.h"
#include "requests/EntryForm.h"
#include "requests/ListRefresh.h"
#include "requests/ListingMenu.h"
#include "requests/ListingOutput.h"
#include "requests/PaneState.h"
#include "requests/PatientFinder.h"
#include "requests/RequestList.h"
#include "requests/SaveOutcome.h"
#include "requests/StatusActions.h"
#include "requests/frmDayByRoom.h"
#include "staff/DoctorPickers.h"
#include "staff/Keystrokes.h"
#include "staff/NursePickers.h"

frmMain::frmMain(QWidget* parent, platform::SysInfo* sysInfo)
    : QWidget(parent), sysInfo_(sysInfo ? sysInfo : new platform::SysInfo(this)) {
  platform::ProgramStyle::Install();  // before the controls, which it draws
  setWindowTitle(platform::AppTitle());
  setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8));
  setAttribute(Qt::WA_DeleteOnClose, false);
  BuildEntryPane();
  BuildRequestPane();
  SetTabOrder();
  paneState_ = std::make_unique<requests::PaneState>(cmdOption, fraPendingRequest, cmdOpt);
  ownWrites_ = std::make_unique<requests::OwnWrites>();
  requestList_ = std::make_unique<requests::RequestList>(*mshflexPending, *DTPicker1, *paneState_);
  CreateEntryForm();
  InstallStaffSelection();
  statusActions_ =
      std::make_unique<requests::StatusActions>(*requestList_, *paneState_, *ownWrites_);
  ownWrites_->OnOwnChange([this](const session::ORSchedule& stored, bool statusOnly) {
    entryForm_->NoteOwnChange(stored, statusOnly);
  });
  listingOutput_ =
      std::make_unique<requests::ListingOutput>(*mshflexPending, *requestList_, *DTPicker1, this);
  listingMenu_ = std::make_unique<requests::ListingMenu>(
      *mshflexPending, *mnuListing, std::array{mnuPrintList, mnuExportPDF, mnuExportCSV},
      *listingOutput_);
  CreateFindAndRefresh();
  ConnectEvents();
}

frmMain::~frmMain() {
  Form_Unload();
  delete dayByRoom_;  // it follows the request list, which goes before the window's children
}

void frmMain::ConnectEvents() {
  using platform::ConnectGuarded;
  ConnectGuarded(cmdView, &QPushButton::clicked, this, [this] { cmdView_Click(); });
  for (int i = 0; i < static_cast<int>(cmdOption.size()); ++i)
    ConnectGuarded(cmdOption[i], &QPushButton::clicked, this, [this, i] { cmdOption_Click(i); });
  ConnectGuarded(DTPicker1, &platform::DTPicker::Change, this,
                 [this] { requestList_->DTPicker1_Change(); });
  ConnectGuarded(mshflexPending, &platform::FlexGrid::Click, this,
                 [this] { requestList_->mshflexPending_Click(); });
  ConnectGuarded(mshflexPending, &platform::FlexGrid::DblClick, this,
                 [this] { entryForm_->mshflexPending_DblClick(); });
  for (int i = 0; i < static_cast<int>(cmdOpt.size()); ++i)
    ConnectGuarded(cmdOpt[i], &QPushButton::clicked, this,
                   [this, i] { statusActions_->cmdOpt_Click(i); });
  ConnectGuarded(cmdDayByRoom, &QPushButton::clicked, this, [this] { cmdDayByRoom_Click(); });
  // Also while a request is written, when the list's buttons are not usable: the day shows
  // where it has room.
  ConnectGuarded(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this), &QShortcut::activated,
                 this, [this] { cmdDayByRoom_Click(); });
  ConnectGuarded(mshflexPending, &QWidget::customContextMenuRequested, this,
                 [this](const QPoint& pos) { listingMenu_->mshflexPending_ContextMenu(pos); });
  ConnectGuarded(mnuPrintList, &QAction::triggered, this, [this] { listingOutput_->Print_List(); });
  ConnectGuarded(mnuExportPDF, &QAction::triggered, this, [this] { listingOutput_->Export_PDF(); });
  ConnectGuarded(mnuExportCSV, &QAction::triggered, this, [this] { listingOutput_->Export_CSV(); });
  // A field that takes the focus (by Tab, Enter or a refused save) scrolls into view.
  ConnectGuarded(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && entryPane_->widget()->isAncestorOf(now)) entryPane_->ensureWidgetVisible(now);
  });
}

void frmMain::InstallStaffSelection() {
  for (platform::TextBox* field : {txtName, txtRoomID, txtProcedure})
    staff::InstallKeystrokeRules(*field);
  staff::InstallKeystrokeRules(*txtRemarks);
  staff::InstallDoctorPickers(
      {txtSurgeon, txtSurgeonID, txtAnest, txtAnestID, txtAsstDoc, txtAsstDocID});
  staff::InstallNursePickers({txtSNurse, txtSNurseID, txtCNurse, txtCNurseID});
}

void frmMain::CreateEntryForm() {
  const requests::EntryControls controls{
      txtName,     txtRoomID,   txtProcedure,  dtpOperation, dtpOperTime, cboRequestRoom,
      dtpDuration, txtTransNum, txtAsstDoc,    txtAsstDocID, txtSurgeon,  txtSurgeonID,
      txtAnest,    txtAnestID,  txtSNurse,     txtSNurseID,  txtCNurse,   txtCNurseID,
      txtRemarks,  cmdOption,   mshflexPending};
  // Exit unloads the window, as closing it does.
  entryForm_ = std::make_unique<requests::EntryForm>(controls, *requestList_, *paneState_,
                                                     *ownWrites_, [this] { close(); });
}

bool frmMain::Show() {
  if (!Form_Load()) {
    close();
    return false;
  }
  FitIntoWorkArea();
  show();
  DTPicker1->setFocus();  // the list's date first: the entry form is locked until New
  return true;
}

void frmMain::cmdView_Click() {
  frmView board(this);
  board.exec();
}

requests::frmDayByRoom* frmMain::dayByRoom() const {
  return dayByRoom_;
}

void frmMain::cmdDayByRoom_Click() {
  if (!dayByRoom_)
    dayByRoom_ = new requests::frmDayByRoom(*requestList_, *paneState_, *cboRequestRoom, this);
  dayByRoom_->show();
  dayByRoom_->raise();
  dayByRoom_->activateWindow();
}

void frmMain::cmdOption_Click(int index) {
  entryForm_->cmdOption_Click(index);
}

void frmMain::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Resize_Frame();
}

// The window system frames the window when it first shows it; only then does the frame's size
// tell whether the window still fits.
bool frmMain::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !std::exchange(framedFit_, true))
    FitIntoWorkArea();
  return QWidget::event(event);
}
