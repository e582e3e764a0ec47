#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "board/frmView.h"
#include "platform/Errors.h"
#include "platform/WallClock.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/MultiLineTextBox.h"
#include "platform/widgets/TextBox.h"
#include "session/Statements.h"
#include "session/modGlobal.h"
#include "suite/ConnectionSettings.h"
#include "support/MainWindowFixture.h"

using testsupport::MainWindowFixture;

class TestStartup : public QObject {
  Q_OBJECT

 private slots:
  void componentsAndStatementsInOrder() {
    MainWindowFixture f;
    QVERIFY(f.start());
    const QStringList expected = {
        QStringLiteral("CreateObject Corvane_User.clsCurrentuser"),
        QStringLiteral("CurrentUser.hwndParentForm"),
        QStringLiteral("CurrentUser.showmain"),
        QStringLiteral("CurrentUser.Connected"),
        QStringLiteral("CurrentUser.SQLConnection"),
        QStringLiteral("CommandTimeout=120"),
        QStringLiteral("CursorLocation=3"),
        QStringLiteral("CreateObject Lookupdesk.clsCodeSearch"),
        QStringLiteral("CreateObject Typegate.KeyPress"),
        QStringLiteral("CodeSearch.MTS_Server="),
        QStringLiteral("CodeSearch.SearchMode=True"),
        QStringLiteral("CodeSearch.Initialize_Classes"),
        QStringLiteral("CurrentUser.SQLConnection"),
        QStringLiteral("CodeSearch.Connection"),
        QStringLiteral("CodeSearch.CompanyName="),
        QStringLiteral("CurrentUser.SQLConnection"),
        QStringLiteral("Open select getdate() as TDate"),
        QStringLiteral("CurrentUser.SQLConnection"),
        QStringLiteral("Open SCHEDULE..sp_List_ORRooms"),
        QStringLiteral("CurrentUser.SQLConnection"),
        QStringLiteral("Open SCHEDULE..sp_GetORScheduleDurations '12/08/2026'"),
        QStringLiteral("Open SCHEDULE..sp_GetORSchedule '12/08/2026'"),
    };
    QCOMPARE(f.suite().log(), expected);
    QVERIFY(f.window().isVisible());
    QCOMPARE(f.boxes().count(), 0);
    // The code search holds the very connection of the current user.
    QCOMPARE(f.suite().codeSearch()->connection().get(),
             static_cast<platform::Connection*>(f.suite().connection()));
  }

  void opensOnTheServersDateAndTime_data() {  // another day; a time that some zones skip
    QTest::addColumn<QDateTime>("serverNow");
    QTest::newRow("long ago") << platform::WallClock(QDate::currentDate().addDays(-400),
                                                     QTime(15, 20, 0));
    QTest::newRow("Santiago 0:30") << platform::WallClock(QDate(2025, 9, 7), QTime(0, 30));
    QTest::newRow("New York 2:30") << platform::WallClock(QDate(2026, 3, 8), QTime(2, 30));
    QTest::newRow("New York 1:30, twice") << platform::WallClock(QDate(2026, 11, 1), QTime(1, 30));
    QTest::newRow("Lord Howe 2:15") << platform::WallClock(QDate(2026, 10, 4), QTime(2, 15));
  }
  void opensOnTheServersDateAndTime() {
    QFETCH(QDateTime, serverNow);
    MainWindowFixture f(serverNow);
    const QDateTime when = serverNow.addSecs(60);  // a request then loads, saves and confirms
    const qint64 transNum = f.db().insertRequest(f.db().sampleRequest(when));
    QVERIFY(f.start());
    frmMain& w = f.window();
    const QDate serverDay = serverNow.date();
    QCOMPARE(modGlobal::ServerDateTime.date(), serverDay);
    QCOMPARE(w.dtpOperation->Date(), serverDay);
    QCOMPARE(w.DTPicker1->Date(), serverDay);
    QCOMPARE(w.dtpOperTime->Time(), modGlobal::ServerDateTime.time());
    QCOMPARE(modGlobal::ServerDateTime.time().msec(), 0);
    QCOMPARE(f.statements().last(), QStringLiteral("SCHEDULE..sp_GetORSchedule '") +
                                        serverDay.toString(QStringLiteral("MM/dd/yyyy")) + u'\'');
    QCOMPARE(w.mshflexPending->Rows(), f.db().countRequests(serverDay) + 1);
    // No operation can be put before the start-up date.
    QCOMPARE(w.dtpOperation->MinDate().date(), serverDay);
    QVERIFY_THROWS_EXCEPTION(platform::RuntimeError, w.dtpOperation->SetValue(platform::WallClock(
                                                         serverDay.addDays(-1), QTime())));
    QCOMPARE(w.dtpOperation->Date(), serverDay);
    const int row = int(f.db().transNumsOn(serverDay).indexOf(transNum));
    w.mshflexPending->setCurrentIndex(w.mshflexPending->model()->index(row, 1));
    emit w.mshflexPending->DblClick();
    w.cmdOption[1]->click();
    w.cmdOption[3]->click();
    w.mshflexPending->setCurrentIndex(w.mshflexPending->model()->index(row, 1));
    emit w.mshflexPending->Click();
    w.cmdOpt[0]->click();
    const QVariantMap stored = f.db().request(transNum);
    QCOMPARE(stored.value(QStringLiteral("OperationDate")), when.toString(u"yyyy-MM-dd HH:mm:ss"));
    QCOMPARE(stored.value(QStringLiteral("Status")), QStringLiteral("C"));
  }

  void opensIdle() {
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    QVERIFY(w.cmdView->isEnabled());
    QVERIFY(w.cmdOption[0]->isEnabled());
    QVERIFY(w.cmdOption[2]->isEnabled());
    QVERIFY(!w.cmdOption[1]->isEnabled());
    QVERIFY(!w.cmdOption[3]->isEnabled());
    QVERIFY(!w.cmdOpt[0]->isEnabled());
    QVERIFY(!w.cmdOpt[1]->isEnabled());
    QVERIFY(!w.txtName->isEnabled());
    QVERIFY(!w.txtRemarks->isEnabled());
    QVERIFY(w.mshflexPending->isEnabled());
    QVERIFY(w.cboRequestRoom->count() > 0);
    QCOMPARE(w.cboRequestRoom->Text(), QString());  // no room until a request is shown
    QCOMPARE(w.focusWidget(), w.DTPicker1);         // "Search by date:"
  }

  // The box's second line says what could not be opened and why.
  void noConnectionEndsWithoutTheOtherComponents_data() {
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("reason");  // how the second line begins
    QTest::newRow("a driver that is not there")
        << QByteArray("ORSCHED_ODBC") << QByteArray("Driver={No Such Driver};Server=nowhere")
        << QStringLiteral("Cannot connect to the database server: ");
    QTest::newRow("a database file that cannot be read: a folder")
        << QByteArray("ORSCHED_DATABASE") << QByteArray(ORSCHED_SOURCE_DIR "/docs")
        << QStringLiteral("Cannot open the database " ORSCHED_SOURCE_DIR "/docs: ");
    QTest::newRow("a login refused") << QByteArray("ORSCHED_EMPLOYEE") << QByteArray("E1001")
                                     << QStringLiteral("The server knows the login ");
  }
  void noConnectionEndsWithoutTheOtherComponents() {
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(QString, reason);
    MainWindowFixture f;
    f.db().exec(QStringLiteral("INSERT INTO tbORLogin SELECT ?, 'E1002'"),
                {f.db().open(suite::LoginEmployeeSql()).rows.value(0).value(0)});
    const QByteArray before = qgetenv(variable.constData());
    qputenv(variable.constData(), value);
    QVERIFY(!f.start());
    qputenv(variable.constData(), before);
    QCOMPARE(f.boxes().count(), 1);
    const QStringList lines = f.boxes().last().prompt.split(u'\n');
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("Connection Failed"));
    QVERIFY2(lines[1].startsWith(reason), qPrintable(lines[1]));
    QCOMPARE(f.boxes().last().style, platform::vbOKOnly | platform::vbCritical);
    QCOMPARE(f.boxes().last().title, QString());
    QCOMPARE(f.suite().created(suite::kCodeSearchProgId), 0);
    QCOMPARE(f.suite().created(suite::kKeyPressProgId), 0);
    QVERIFY(!f.window().isVisible());
    QVERIFY(!modGlobal::CurrentUser);
  }

  void aSecondCopyIsRefusedAndTheFirstGoesOn() {
    MainWindowFixture f;
    QVERIFY(f.start());
    f.suite().clearLog();
    {
      frmMain second;
      QVERIFY(!second.Show());
      QVERIFY(!second.isVisible());
    }
    QCOMPARE(f.boxes().count(), 1);
    QCOMPARE(f.boxes().last().prompt, QStringLiteral("Program is already Loaded!"));
    QCOMPARE(f.boxes().last().style, platform::vbOKOnly | platform::vbCritical);
    QCOMPARE(f.boxes().last().title, QStringLiteral("WARNING!"));
    QCOMPARE(f.suite().log(), QStringList());  // nothing created, nothing sent
    QVERIFY(modGlobal::CurrentUser);           // the first copy keeps its components
    QVERIFY(f.window().isVisible());
    f.window().close();
    frmMain third;  // once the first copy has ended, a new one starts
    QVERIFY(third.Show());
    third.close();
  }

  void aDatabaseFailureAtStartUpReportsOnceAndEnds() {
    MainWindowFixture f;
    f.suite().failWhen(
        [](const QString& sql) { return sql.contains(QLatin1String("sp_List_ORRooms")); });
    QVERIFY(!f.start());
    QCOMPARE(f.boxes().count(), 1);
    QVERIFY(f.boxes().last().style & platform::vbCritical);
    QVERIFY(f.boxes().last().prompt.contains(QLatin1String("sp_List_ORRooms")));
    QVERIFY(!f.window().isVisible());
    QVERIFY(!modGlobal::CurrentUser && !modGlobal::CodeSearch && !modGlobal::KeyFilter);
  }

  void unloadReleasesTheComponentsInOrder() {
    MainWindowFixture f;
    QVERIFY(f.start());
    f.suite().clearLog();
    modGlobal::StaffCode = modGlobal::StaffName = QStringLiteral("LAST PICK");
    f.window().cmdOption[2]->click();  // "E&xit"
    QVERIFY(!f.window().isVisible());
    // Nothing of this session is left for the next one.
    QVERIFY(!modGlobal::ServerDateTime.isValid());
    QVERIFY(modGlobal::StaffCode.isEmpty() && modGlobal::StaffName.isEmpty());
    QCOMPARE(f.suite().log(), (QStringList{QStringLiteral("CodeSearch.released"),
                                           QStringLiteral("CurrentUser.released"),
                                           QStringLiteral("KeyFilter.released")}));
  }

  void playOpensTheBoardModally() {
    MainWindowFixture f;
    QVERIFY(f.start());
    bool sawBoard = false;
    int listedRows = 0;
    testsupport::OnNextModal([&](QWidget* modal) {
      auto* board = qobject_cast<frmView*>(modal);
      sawBoard = board != nullptr;
      QCOMPARE(QApplication::activeModalWidget(), modal);
      QCOMPARE(modal->parentWidget(), &f.window());
      if (board) listedRows = board->mshflxView->Rows() - 1;
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    f.window().cmdView->click();
    QVERIFY(sawBoard);
    // Through the current user's connection: the demo day's nine confirmed operations.
    QVERIFY(f.statements().contains(session::ConfirmedListSql()));
    QCOMPARE(listedRows, 9);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(f.window().cmdView->isEnabled());
    VERIFY_NO_STRAY_MODAL(f.watchdog());
  }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
