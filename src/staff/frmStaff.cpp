#include "staff/frmStaff.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <cmath>

#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/Twips.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/SearchList.h"
#include "platform/widgets/TextBox.h"
#include "session/Statements.h"
#include "session/modGlobal.h"
#include "staff/Keystrokes.h"

using platform::TwipRect;

namespace {

constexpr int kCodeColumn = 1;
constexpr int kNameColumn = 2;

}  // namespace

frmStaff::frmStaff(QWidget* parent, session::ConnectionProvider connection)
    : QDialog(parent), connection_(std::move(connection)) {
  BuildWindow();
  ConnectEvents();
}

void frmStaff::ConnectEvents() {
  searchList = new platform::SearchList(
      *Text1, *MSHFlexGrid1,
      [this] {
        searchKey_ = Text1->text();
        cmdConnect_Click();
        lblFailed->hide();
      },
      [this] { Pick(); }, platform::SearchList::EnterInBox::Lists,
      [this](const std::exception& error) {
        // Under the list's header, where the rows of an earlier search were.
        lblFailed->setText(
            QStringLiteral("The search failed: %1").arg(platform::FailureText(error)));
        lblFailed->show();
      });
  Text1->SetKeyPressHook([this](qint16& keyAscii) { Text1_KeyPress(keyAscii); });
  using platform::ConnectGuarded;
  ConnectGuarded(cmdConnect, &QPushButton::clicked, this, [this] { searchList->List(); });
  ConnectGuarded(cmdExit, &QPushButton::clicked, this, [this] { accept(); });
  // The window sees every key first: an apostrophe never reaches the search box or the list.
  for (QWidget* control : findChildren<QWidget*>())
    control->installEventFilter(this);
}

int frmStaff::exec() {
  Form_Load();
  return QDialog::exec();
}

void frmStaff::Form_Load() {
  modGlobal::StaffCode.clear();
  modGlobal::StaffName.clear();
  LayOutList();
  Text1->setText(searchKey_);
  searchList->List();
  Text1->setFocus();
}

void frmStaff::LayOutList() {
  platform::FlexGrid& list = *MSHFlexGrid1;
  list.Clear();
  list.SetFormatString(QStringLiteral(" |^CODE  #|OR STAFF                            "));
  list.SetColWidth(0, 1);
  const int codeWidth =
      static_cast<int>(std::lround(platform::PixelsToTwips(list.width()) / 13.0 + 500));
  list.SetColWidth(kCodeColumn, codeWidth);
  list.SetColWidth(kNameColumn, codeWidth + 3000);
}

void frmStaff::cmdConnect_Click() {
  const QString sql =
      searchKey_.size() < 1 ? session::AllOrStaffSql() : session::OrStaffByKeySql(searchKey_);
  auto staff =
      connection_()->Open(sql, platform::CursorType::ForwardOnly, platform::LockType::ReadOnly);
  LayOutList();
  MSHFlexGrid1->Bind(*staff);
  staff->Close();
}

// A key goes in as the keystroke component maps it; the list follows the text once the typing
// pauses, not at every key. Enter never gets here: in the box it lists at once.
void frmStaff::Text1_KeyPress(qint16& keyAscii) {
  keyAscii = staff::AllUppers(keyAscii);
}

// A pick hands back the current row's code and name; a list without staff hands back two
// empty texts, never the header's.
void frmStaff::Pick() {
  modGlobal::StaffCode.clear();
  modGlobal::StaffName.clear();
  const int row = MSHFlexGrid1->Row();
  if (row >= 1) {
    modGlobal::StaffCode = MSHFlexGrid1->TextMatrix(row, kCodeColumn);
    modGlobal::StaffName = MSHFlexGrid1->TextMatrix(row, kNameColumn);
  }
  accept();
}

bool frmStaff::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->text() == QStringLiteral("'")) return true;
  // Esc in the search box leaves as Exit does; in the list it goes back to the box.
  if (key->key() == Qt::Key_Escape && (watched == Text1 || watched == MSHFlexGrid1)) {
    if (watched == Text1)
      accept();
    else
      Text1->setFocus();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

// Esc elsewhere does not close the window: a pick, Exit or Esc in the search box does.
void frmStaff::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
