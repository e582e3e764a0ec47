#include "staff/frmStaff.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <cmath>

#include "platform/Connection.h"
#include "platform/Twips.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/FlexGrid.h"
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
  using platform::ConnectGuarded;
  ConnectGuarded(Text1, &QLineEdit::textChanged, this, [this](const QString& text) {
    searchKey_ = text;
    SearchReportingOnce();
  });
  Text1->SetKeyPressHook([this](qint16& keyAscii) { Text1_KeyPress(keyAscii); });
  ConnectGuarded(cmdConnect, &QPushButton::clicked, this, [this] { SearchReportingOnce(); });
  ConnectGuarded(MSHFlexGrid1, &platform::FlexGrid::DblClick, this, [this] { Pick(); });
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
  Text1->setText(searchKey_);  // its change handler searches when the text differs
  SearchReportingOnce();
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

void frmStaff::SearchReportingOnce() {
  searchFailure_.Run([this] { cmdConnect_Click(); });
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

// Before the key reaches the box: a search on the text so far; Enter searches once more and
// stays Enter, any other key goes in as the keystroke component maps it.
void frmStaff::Text1_KeyPress(qint16& keyAscii) {
  searchKey_ = Text1->text();
  SearchReportingOnce();
  if (keyAscii == staff::kEnter)
    SearchReportingOnce();
  else
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
  if (watched == Text1 && key->key() == Qt::Key_Escape) {
    accept();
    return true;
  }
  if (watched == Text1 && key->key() == Qt::Key_Down) {
    // Into the list, on its first row when none is current yet.
    if (MSHFlexGrid1->Row() < 1 && MSHFlexGrid1->Rows() > 1) MSHFlexGrid1->SetRow(1);
    MSHFlexGrid1->setFocus();
    return true;
  }
  if (watched == MSHFlexGrid1) {
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      platform::Guarded([this] { Pick(); });
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      Text1->setFocus();
      return true;
    }
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
