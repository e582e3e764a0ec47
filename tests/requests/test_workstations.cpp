// Two workstations on one database: the window, and another program's connection to its file.
#include <QPushButton>
#include <QTest>

#include "platform/ComboBox.h"
#include "platform/DTPicker.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "requests/EntryForm.h"
#include "requests/RequestList.h"
#include "session/Statements.h"
#include "support/MainWindowFixture.h"
#include "support/StaffPicks.h"

using namespace platform;
using namespace Qt::StringLiterals;
using testsupport::MainWindowFixture;

namespace {

const QDate kDay(2026, 12, 9);
const QString kTyped = QStringLiteral("TYPED HERE");

// The other workstation: its own connection to the file, sending the client's statements.
void Other(MainWindowFixture& f, const QString& sql) {
  f.db().connection()->Execute(sql);
}

qint64 ListAndLoad(MainWindowFixture& f) {
  const qint64 transNum = f.db().insertRequest(f.db().sampleRequest(QDateTime(kDay, QTime(9, 0))));
  f.start();
  f.window().DTPicker1->setDate(kDay);
  f.window().requestList().Select(QString::number(transNum));
  f.window().entryForm().mshflexPending_DblClick();
  return transNum;
}

QString Stored(MainWindowFixture& f, qint64 transNum, const char* column) {
  return f.db().request(transNum).value(QLatin1String(column)).toString();
}

}  // namespace

class TestWorkstations : public QObject {
  Q_OBJECT

 private slots:
  void anEditSavedOverAnotherWorkstationsChangeAsks_data() {
    QTest::addColumn<QString>("change");  // by the other workstation, in SQLite
    QTest::addColumn<QString>("status");  // then confirmed or revoked by it
    QTest::addColumn<int>("answer");      // 0: not asked
    QTest::addColumn<QString>("said");
    QTest::newRow("unchanged") << ""
                               << "" << 0 << "";
    QTest::newRow("room, saved over")
        << "ORRoomID = 'OR04'"
        << "" << +vbYes << "OR Room (code): from \"OR01\" to \"OR04\".";
    QTest::newRow("time, see it") << "OperationDate = '2026-12-09 11:30:00'"
                                  << "" << +vbNo
                                  << "Schedule Date and Time: from \"12/09/2026 09:00:00\" to "
                                     "\"12/09/2026 11:30:00\".";
    QTest::newRow("team, back to the form") << "SurgeonCode = 'D1003', Surgeon = 'OTHER ,DOC'"
                                            << "" << +vbCancel << "\" to \"OTHER ,DOC\".";
    QTest::newRow("the same remarks as typed") << "Remarks = 'TYPED HERE'"
                                               << "" << 0 << "";
    QTest::newRow("confirmed") << ""
                               << "C" << +vbYes
                               << "It was confirmed by DELA CRUZ ,ANGELICA BAUTISTA on 12/08/2026 ";
    QTest::newRow("revoked") << ""
                             << "R" << +vbCancel
                             << "It was revoked by DELA CRUZ ,ANGELICA BAUTISTA on 12/08/2026 ";
    QTest::newRow("moved to another date")
        << "OperationDate = '2026-12-10 09:00:00'"
        << "" << +vbYes << "This schedule is no longer listed for 12/09/2026";
  }
  void anEditSavedOverAnotherWorkstationsChangeAsks() {
    QFETCH(QString, change);
    QFETCH(QString, status);
    QFETCH(int, answer);
    QFETCH(QString, said);
    MainWindowFixture f;
    const qint64 transNum = ListAndLoad(f);
    frmMain& w = f.window();
    w.cmdOption[1]->click();
    w.txtRemarks->setText(kTyped);
    if (!change.isEmpty())
      f.db().exec(u"UPDATE tbORSchedule SET %1 WHERE TransNum = ?"_s.arg(change), {transNum});
    if (!status.isEmpty())
      Other(f, session::UpdateScheduleSql(status, u"E1003"_s, QString::number(transNum)));
    if (answer) f.boxes().answer(answer);

    w.cmdOption[3]->click();
    QCOMPARE(f.boxes().titles().first(), answer ? u"WARNING!"_s : u"SUCCESS!"_s);
    if (answer) {
      QVERIFY2(f.boxes().calls()[0].prompt.contains(said), qPrintable(f.boxes().calls()[0].prompt));
      QCOMPARE(f.boxes().calls()[0].style, vbYesNoCancel | vbExclamation | vbDefaultButton3);
    }
    const bool saved = answer == 0 || answer == vbYes;
    QCOMPARE(Stored(f, transNum, "Remarks") == kTyped, saved);
    QCOMPARE(w.txtRemarks->text(), saved ? QString() : kTyped);  // nothing typed is lost
    QCOMPARE(w.cmdOption[3]->isEnabled(), !saved);               // still editing
    if (!status.isEmpty())
      QCOMPARE(Stored(f, transNum, "ConfirmedByCode").isEmpty(), status != u"C"_s);
    if (answer == vbNo) {  // seen: saved without asking again
      w.cmdOption[3]->click();
      QCOMPARE(f.boxes().titles().last(), u"SUCCESS!"_s);
      QCOMPARE(Stored(f, transNum, "Remarks"), kTyped);
    }
  }

  void confirmAndRevokeActOnTheRequestAsItIsNow_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("other");  // the other workstation's status, or a move
    QTest::addColumn<QString>("said");
    QTest::newRow("confirm after its confirmation")
        << 0 << "C"
        << "This schedule was already confirmed by DELA CRUZ ,ANGELICA BAUTISTA last ";
    QTest::newRow("revoke after its revocation")
        << 1 << "R"
        << "This schedule was already revoked by DELA CRUZ ,ANGELICA BAUTISTA last ";
    QTest::newRow("revoke after a move") << 1 << "moved"
                                         << "This schedule is no longer listed for 12/09/2026: ";
  }
  void confirmAndRevokeActOnTheRequestAsItIsNow() {
    QFETCH(int, index);
    QFETCH(QString, other);
    QFETCH(QString, said);
    MainWindowFixture f;
    const qint64 transNum = ListAndLoad(f);
    if (other == u"moved")
      f.db().exec(
          u"UPDATE tbORSchedule SET OperationDate = '2026-12-11 09:00:00' WHERE TransNum = ?"_s,
          {transNum});
    else
      Other(f, session::UpdateScheduleSql(other, u"E1003"_s, QString::number(transNum)));
    const QString status = Stored(f, transNum, "Status");
    const QString at = Stored(f, transNum, index ? "DateRevoked" : "DateConfirmed");

    f.window().requestList().mshflexPending_Click();
    f.window().cmdOpt[index]->click();
    QCOMPARE(f.boxes().count(), 1);
    QVERIFY2(f.boxes().last().prompt.startsWith(said), qPrintable(f.boxes().last().prompt));
    QCOMPARE(f.boxes().last().title, u"Notification!"_s);
    QCOMPARE(Stored(f, transNum, "Status"), status);  // the other's record stands
    QCOMPARE(Stored(f, transNum, index ? "DateRevoked" : "DateConfirmed"), at);
  }

  void aNewRequestWhoseLinkDropsIsStoredOnce_data() {
    QTest::addColumn<bool>("stored");     // before the link dropped
    QTest::addColumn<bool>("answering");  // the server answers at once after
    QTest::newRow("stored, answering") << true << true;
    QTest::newRow("not stored, answering") << false << true;
    QTest::newRow("stored, not answering yet") << true << false;
    QTest::newRow("not stored, not answering yet") << false << false;
  }
  void aNewRequestWhoseLinkDropsIsStoredOnce() {
    QFETCH(bool, stored);
    QFETCH(bool, answering);
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    w.cmdOption[0]->click();
    w.txtName->setText(kTyped);
    w.txtProcedure->setText(u"BIOPSY"_s);
    w.cboRequestRoom->SetText(u"OR 2"_s);
    w.dtpOperation->SetValue(QDateTime(kDay.addDays(40), QTime(0, 0)));
    testsupport::SetRequiredTeam(w);
    const int before = f.db().countRequests(kDay.addDays(40));
    testsupport::RecordingConnection& link = *f.suite().connection();
    const auto isSave = [](const QString& sql) { return sql.contains(u"Save_OR_Schedule"); };
    link.loseLinkWhen(isSave, stored);
    bool listedAfter = false;
    link.failWhen([&](const QString& sql) {
      return !answering && std::exchange(listedAfter, listedAfter || isSave(sql));
    });

    w.cmdOption[3]->click();
    link.loseLinkWhen(nullptr, false);
    link.failNothing();
    QCOMPARE(f.db().countRequests(kDay.addDays(40)), before + (stored ? 1 : 0));
    QCOMPARE(f.boxes().last().title, stored && answering ? u"SUCCESS!"_s : AppTitle());
    if (f.boxes().last().title == AppTitle()) {
      QCOMPARE(w.txtName->text(), kTyped);
      w.cmdOption[3]->click();  // again, the link back
      QCOMPARE(f.boxes().last().title, u"SUCCESS!"_s);
    }
    QCOMPARE(f.db().countRequests(kDay.addDays(40)), before + 1);
  }
};

QTEST_MAIN(TestWorkstations)
#include "test_workstations.moc"
