#include "app/frmMain.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>

#include "board/frmView.h"
#include "platform/DTPicker.h"
#include "platform/ErrorReport.h"
#include "platform/FlexGrid.h"
#include "platform/Fonts.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "requests/RequestList.h"
#include "requests/StatusActions.h"

frmMain::frmMain(QWidget* parent) : QWidget(parent) {
  setWindowTitle(platform::AppTitle());
  setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8));
  setAttribute(Qt::WA_DeleteOnClose, false);
  // Laid out for a client area of 18645 x 10740 twips and not resized after start-up.
  setFixedSize(platform::TwipRect(0, 0, 18645, 10740).size());
  BuildPatientFrame();
  BuildOperationFrame();
  BuildRequestPane();
  SetTabOrder();
  requestList_ =
      std::make_unique<requests::RequestList>(*mshflexPending, *DTPicker1, cmdOpt[0], cmdOpt[1]);
  statusActions_ =
      std::make_unique<requests::StatusActions>(*mshflexPending, *DTPicker1, *requestList_);
  ConnectEvents();
}

frmMain::~frmMain() {
  Form_Unload();
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
  for (int i = 0; i < static_cast<int>(cmdOpt.size()); ++i)
    ConnectGuarded(cmdOpt[i], &QPushButton::clicked, this,
                   [this, i] { statusActions_->cmdOpt_Click(i); });
}

bool frmMain::Show() {
  if (!Form_Load()) {
    close();
    return false;
  }
  show();
  return true;
}

void frmMain::Resize_Frame() {
  QRect pane = fraPendingRequest->geometry();
  pane.setWidth(frameGeometry().width() - pane.left());
  fraPendingRequest->setGeometry(pane);
}

void frmMain::cmdView_Click() {
  frmView board(this);
  board.exec();
}

void frmMain::cmdOption_Click(int index) {
  if (index == 2) close();  // Exit unloads the window, as closing it does
}

void frmMain::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}
