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
#include "support/TestEnvironment.h"

using namespace Qt::StringLiterals;

class TestComponents : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { suite::RegisterStandardComponents(); }

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
  void currentUserTakesTheEmployeeFromTheEnvironment_data() {
    QTest::addColumn<QString>("configured");
    QTest::addColumn<QString>("mapped");
    QTest::addColumn<QString>("signedIn");  // empty: refused
    QTest::newRow("login not mapped") << u"E'77"_s << QString() << u"E'77"_s;
    QTest::newRow("mapped, nothing configured") << QString() << u"E1002"_s << u"E1002"_s;
    QTest::newRow("mapped, configured alike") << u"e1002 "_s << u"E1002"_s << u"E1002"_s;
    QTest::newRow("mapped, configured another") << u"E1001"_s << u"E1002"_s << QString();
  }
  void currentUserTakesTheEmployeeFromTheEnvironment() {
    QFETCH(QString, configured);
    QFETCH(QString, mapped);
    QFETCH(QString, signedIn);
    testsupport::DatabaseFixture db;
    db.exec(u"INSERT INTO tbORLogin SELECT ?, ? WHERE ? <> ''"_s,
            {db.open(suite::LoginEmployeeSql()).rows.value(0).value(0), mapped, mapped});
    qputenv("ORSCHED_EMPLOYEE", configured.toUtf8());
    suite::CurrentUserStandIn user;
    user.showmain();
    QCOMPARE(user.employeecode(), signedIn);
    QCOMPARE(user.connectError().isEmpty(), !signedIn.isEmpty());
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
