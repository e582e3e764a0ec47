#include <QTest>

#include "platform/Connection.h"
#include "platform/Errors.h"
#include "suite/Component.h"
#include "suite/ConnectionSettings.h"
#include "suite/CurrentUser.h"
#include "suite/KeyPress.h"
#include "suite/widgets/CodeSearchStandIn.h"
#include "suite/widgets/StandardComponents.h"
#include "support/DatabaseFixture.h"
#include "support/FakeTdsServer.h"
#include "support/OdbcDrivers.h"
#include "support/TestEnvironment.h"

using namespace Qt::StringLiterals;

class TestComponents : public QObject {
  Q_OBJECT

  std::unique_ptr<testsupport::OdbcDrivers> drivers_;

 private slots:
  void initTestCase() {
    drivers_ = std::make_unique<testsupport::OdbcDrivers>();
    suite::RegisterStandardComponents();
  }

  void createsByProgIdInAnyCase() {
    QVERIFY(std::dynamic_pointer_cast<suite::IKeyPress>(
        suite::CreateObject(QStringLiteral("typegate.keypress"))));
    QVERIFY(suite::CreateObjectAs<suite::ICodeSearch>(suite::kCodeSearchProgId));
  }

  void unknownProgIdFailsClearly() {
    try {
      suite::CreateObject(QStringLiteral("Nowhere.clsNothing"));
      QFAIL("an unknown ProgID was created");
    } catch (const platform::ComponentError& error) {
      QVERIFY(error.message().contains(QStringLiteral("Nowhere.clsNothing")));
    }
  }

  void wrongInterfaceFailsClearly() {
    QVERIFY_THROWS_EXCEPTION(platform::ComponentError,
                             suite::CreateObjectAs<suite::ICurrentUser>(suite::kKeyPressProgId));
  }

  void aTestRegistrationWinsAndIsRestored() {
    auto fake = std::make_shared<suite::KeyPressStandIn>();
    {
      suite::ScopedRegistration scoped(suite::kKeyPressProgId, [fake] { return fake; });
      suite::RegisterStandardComponents();  // must not replace the test's component
      QCOMPARE(suite::CreateObject(suite::kKeyPressProgId),
               std::shared_ptr<suite::Component>(fake));
    }
    QVERIFY(suite::CreateObject(suite::kKeyPressProgId) != std::shared_ptr<suite::Component>(fake));
  }

  void allUppers_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("lower-case letter") << int('a') << int('A');
    QTest::newRow("upper-case letter") << int('Q') << int('Q');
    QTest::newRow("enter") << 13 << 13;
    QTest::newRow("digit") << int('7') << int('7');
    QTest::newRow("apostrophe") << int('\'') << int('\'');
    QTest::newRow("n with tilde") << 0xF1 << 0xD1;
    QTest::newRow("cyrillic") << 0x0436 << 0x0416;
  }
  void allUppers() {
    QFETCH(int, key);
    QFETCH(int, expected);
    suite::KeyPressStandIn keys;
    qint16 code = static_cast<qint16>(key);
    QCOMPARE(keys.AllUppers(code).toInt(), expected);
  }

  void currentUserConnectsToTheEmbeddedDatabase() {
    testsupport::TestEnvironment environment;
    suite::CurrentUserStandIn user;
    user.hwndParentForm(1234);
    user.showmain();
    QVERIFY(user.Connected());
    QVERIFY(!user.employeecode().isEmpty());
    auto clock =
        user.SQLConnection()->Open(QStringLiteral("select getdate() as TDate"),
                                   platform::CursorType::ForwardOnly, platform::LockType::ReadOnly);
    QCOMPARE(clock->Field(QStringLiteral("TDate")).typeId(), QMetaType::QDateTime);
  }

  // Where the server maps the login, its employee signs in; the environment may only repeat it.
  // A refused sign-in says why and keeps no connection.
  void currentUserTakesTheEmployeeFromTheEnvironment_data() {
    QTest::addColumn<QString>("configured");
    QTest::addColumn<QString>("mapped");
    QTest::addColumn<bool>("enforced");
    QTest::addColumn<QString>("signedIn");  // empty: refused
    QTest::newRow("login not mapped") << u"E'77"_s << QString() << false << u"E'77"_s;
    QTest::newRow("mapped, nothing configured") << QString() << u"E1002"_s << false << u"E1002"_s;
    QTest::newRow("mapped, configured alike") << u"e1002 "_s << u"E1002"_s << true << u"E1002"_s;
    QTest::newRow("mapped, configured another") << u"E1001"_s << u"E1002"_s << false << QString();
    QTest::newRow("enforced, login not mapped") << u"E1001"_s << QString() << true << QString();
  }
  void currentUserTakesTheEmployeeFromTheEnvironment() {
    QFETCH(QString, configured);
    QFETCH(QString, mapped);
    QFETCH(bool, enforced);
    QFETCH(QString, signedIn);
    testsupport::DatabaseFixture db;
    db.exec(u"INSERT INTO tbORLogin SELECT ?, ? WHERE ? <> ''"_s,
            {db.open(suite::LoginEmployeeSql()).rows.value(0).value(0), mapped, mapped});
    if (enforced) db.exec(u"INSERT INTO tbORSetting VALUES ('EnforceLoginEmployee', 'on')"_s);
    qputenv("ORSCHED_EMPLOYEE", configured.toUtf8());
    suite::CurrentUserStandIn user;
    user.showmain();
    QCOMPARE(user.employeecode(), signedIn);
    QCOMPARE(user.Connected(), !signedIn.isEmpty());
    QCOMPARE(user.connectError().isEmpty(), !signedIn.isEmpty());
  }

  // On a server, someone must be signed in: the demo user is the embedded database's only. The
  // session is set up and named as the program's whatever the driver's defaults.
  void overOdbcTheEmployeeMustBeKnown_data() {
    QTest::addColumn<QString>("configured");
    QTest::newRow("ORSCHED_EMPLOYEE unset") << QString();
    QTest::newRow("ORSCHED_EMPLOYEE set") << u"E1001"_s;
  }
  void overOdbcTheEmployeeMustBeKnown() {
    QFETCH(QString, configured);
    testsupport::TestEnvironment environment;
    testsupport::FakeTdsServer server;  // it maps no login
    qputenv("ORSCHED_ODBC", drivers_->FreeTds(server.port()).toUtf8());
    qputenv("ORSCHED_EMPLOYEE", configured.toUtf8());
    suite::CurrentUserStandIn user;
    user.showmain();
    QCOMPARE(user.Connected(), !configured.isEmpty());
    QCOMPARE(user.employeecode(), configured);
    QCOMPARE(user.connectError().isEmpty(), !configured.isEmpty());
    QCOMPARE(server.application(), suite::kApplicationName);
    const QString session = server.batches().filter(u"1: SET NOCOUNT ON;"_s).value(0);
    for (const char* option :
         {"ANSI_WARNINGS", "ANSI_NULLS", "QUOTED_IDENTIFIER", "XACT_ABORT", "ANSI_PADDING"})
      QVERIFY2(session.contains(u"SET "_s + QLatin1String(option) + u" ON;"_s), option);
  }

  void anUnreachableServerIsNotConnected() {
    testsupport::TestEnvironment environment;
    qputenv("ORSCHED_ODBC", "Driver={No Such Driver};Server=nowhere");
    suite::CurrentUserStandIn user;
    user.showmain();
    QVERIFY(!user.Connected());
    QVERIFY(!user.connectError().isEmpty());
    QVERIFY_THROWS_EXCEPTION(platform::ComponentError, user.SQLConnection());
  }

  void codeSearchTakesItsConnectionOnlyAfterInitialising() {
    suite::CodeSearchStandIn search;
    search.MTS_Server(QString());
    QVERIFY_THROWS_EXCEPTION(platform::ComponentError, search.Connection(nullptr));
    search.Initialize_Classes();
    search.Connection(nullptr);
    QCOMPARE(search.membersSet(),
             (QStringList{QStringLiteral("MTS_Server="), QStringLiteral("Initialize_Classes"),
                          QStringLiteral("Connection")}));
  }
};

QTEST_GUILESS_MAIN(TestComponents)
#include "test_components.moc"
