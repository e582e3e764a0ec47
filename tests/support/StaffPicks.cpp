#include "support/StaffPicks.h"
#include "platform/WallClock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPushButton>
#include <QTest>

#include "app/frmMain.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/TextBox.h"
#include "staff/frmStaff.h"
#include "suite/widgets/DoctorSearchWindow.h"
#include "support/ModalWatchdog.h"

namespace testsupport {

void PickDoctor(platform::TextBox* field, const QString& code) {
  QCoreApplication::processEvents();  // keys queued by the last pick arrive first, as for a user
  field->setFocus();
  OnNextModal([code](QWidget* modal) {
    auto* search = qobject_cast<suite::DoctorSearchWindow*>(modal);
    QVERIFY(search);
    if (code.isEmpty()) return QTest::keyClick(search->searchBox(), Qt::Key_Escape);
    search->searchBox()->setText(code);
    QTest::keyClick(search->searchBox(), Qt::Key_Return);
  });
  QTest::keyClick(field, Qt::Key_Return);
}

void PickNurse(platform::TextBox* field, const QString& code) {
  QCoreApplication::processEvents();
  field->setFocus();
  OnNextModal([code](QWidget* modal) {
    auto* window = qobject_cast<frmStaff*>(modal);
    QVERIFY(window);
    if (code.isEmpty()) return window->cmdExit->click();
    window->Text1->setText(code);
    QTest::keyClick(window->Text1, Qt::Key_Down);
    QTest::keyClick(window->MSHFlexGrid1, Qt::Key_Return);
  });
  QTest::keyClick(field, Qt::Key_Return);
}

QStringList ColumnTexts(const platform::FlexGrid& grid, int col) {
  QStringList texts;
  for (int r = 1; r < grid.Rows(); ++r)
    texts << grid.TextMatrix(r, col);
  return texts;
}

void SetRequiredTeam(frmMain& w) {
  const std::pair<platform::TextBox*, platform::TextBox*> team[] = {
      {w.txtSurgeon[0], w.txtSurgeonID[0]},
      {w.txtAnest[0], w.txtAnestID[0]},
      {w.txtSNurse[0], w.txtSNurseID[0]},
      {w.txtCNurse, w.txtCNurseID}};
  const QString codes[] = {QStringLiteral("D1001"), QStringLiteral("D1002"),
                           QStringLiteral("E1002"), QStringLiteral("E1003")};
  for (int i = 0; i < 4; ++i) {
    team[i].first->setText(QStringLiteral("PICKED"));
    team[i].second->setText(codes[i]);
  }
}

void CompleteRequest(frmMain& w, const QString& roomName, const QDate& day) {
  w.cboRequestRoom->SetText(roomName);
  if (day.isValid()) w.dtpOperation->SetValue(platform::WallClock(day, QTime(0, 0)));
  SetRequiredTeam(w);
}

void TypeNewRequest(frmMain& w, const QString& patient, const QDate& day) {
  w.cmdOption[0]->click();
  w.txtName->setText(patient);
  w.txtProcedure->setText(QStringLiteral("APPENDECTOMY"));
  CompleteRequest(w, QStringLiteral("OR 1"), day);
}

}  // namespace testsupport
