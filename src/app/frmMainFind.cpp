// "Find patient:" beside the list's date, and the list that keeps itself current.
#include <algorithm>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include "app/frmMain.h"
#include "platform/Twips.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/SteadyColors.h"
#include "platform/widgets/TextBox.h"
#include "requests/ListRefresh.h"
#include "requests/PatientFinder.h"
#include "requests/RequestList.h"

namespace {
const QRect kFindBox = platform::TwipRect(3240, 570, 5040, 315);
}  // namespace

// The caption and the box as one widget, so that a layout can take them as they are.
void frmMain::BuildFindBox() {
  fraFind = new QWidget(fraPendingRequest);
  fraFind->setGeometry(kFindBox);
  auto* row = new QHBoxLayout(fraFind);
  row->setContentsMargins(0, 0, 0, 0);
  auto* caption = new QLabel(QStringLiteral("Find patient:"), fraFind);
  txtFind = new platform::TextBox(fraFind);
  caption->setBuddy(txtFind);
  txtFind->setPlaceholderText(QStringLiteral("Last name or transaction number, then Enter"));
  txtFind->setToolTip(QStringLiteral("Ctrl+F"));
  platform::SetPlainDisabledLook(*txtFind);  // locked with the pane while a request is written
  row->addWidget(caption);
  row->addWidget(txtFind, 1);
}

// The box keeps its design width where the request pane holds it; in a narrower pane it ends
// at the list's right edge, so that it stays on screen.
void frmMain::FitFindBox(int paneWidth) {
  const int room = paneWidth - fraFind->x() - mshflexPending->x();
  fraFind->resize(std::clamp(room, fraFind->minimumSizeHint().width(), kFindBox.width()),
                  fraFind->height());
}

void frmMain::CreateFindAndRefresh() {
  patientFinder_ = std::make_unique<requests::PatientFinder>(*txtFind, *requestList_, *paneState_,
                                                             *mshflexPending);
  listRefresh_ =
      std::make_unique<requests::ListRefresh>(*requestList_, *mshflexPending, *fraPendingRequest);
  using platform::ConnectGuarded;
  ConnectGuarded(txtFind, &QLineEdit::returnPressed, this,
                 [this] { patientFinder_->txtFind_Enter(); });
  ConnectGuarded(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
    txtFind->setFocus(Qt::ShortcutFocusReason);
    txtFind->selectAll();
  });
}
