// Start-up against a hospital server that cannot be reached, through unixODBC and FreeTDS as a
// workstation reaches it: the program says "Connection Failed" and ends, within the login
// timeout, whether nothing listens on the port or something takes the connection and never
// answers.
#include <QtTest>

#include "platform/widgets/MsgBox.h"
#include "session/modGlobal.h"
#include "support/FakeTdsServer.h"
#include "support/MainWindowFixture.h"
#include "support/OdbcDrivers.h"

using testsupport::FakeTdsServer;

class TestServerUnreachable : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testsupport::OdbcDrivers> drivers_;

 private slots:
  void initTestCase() { drivers_ = std::make_unique<testsupport::OdbcDrivers>(); }

  void startUpSaysConnectionFailedAndEnds_data() {
    QTest::addColumn<bool>("silentServer");
    QTest::newRow("closed port") << false;
    QTest::newRow("server that never answers") << true;
  }
  void startUpSaysConnectionFailedAndEnds() {
    QFETCH(bool, silentServer);
    std::unique_ptr<FakeTdsServer> silent;
    quint16 port = testsupport::ClosedPort();
    if (silentServer) {
      silent = std::make_unique<FakeTdsServer>(FakeTdsServer::Mode::Silent);
      port = silent->port();
    }
    testsupport::MainWindowFixture f;
    qputenv("ORSCHED_ODBC", drivers_->FreeTds(port).toUtf8());
    QVERIFY(!f.start());
    QCOMPARE(f.boxes().count(), 1);
    QVERIFY(f.boxes().last().prompt.startsWith(
        QStringLiteral("Connection Failed\nCannot connect to the database server: ")));
    QCOMPARE(f.boxes().last().title, QString());
    QVERIFY(!f.window().isVisible());
    QVERIFY(!modGlobal::CurrentUser);
  }
};

QTEST_MAIN(TestServerUnreachable)
#include "test_server_unreachable.moc"
