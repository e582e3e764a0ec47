// The statement texts the client sends, against the texts the server's procedures expect and
// through the embedded server, with values that hold apostrophes.
#include <QtTest>

#include "platform/Connection.h"
#include "platform/OdbcConnection.h"
#include "platform/WallClock.h"
#include "session/CheckedWrite.h"
#include "session/FreshListing.h"
#include "session/ORSchedule.h"
#include "session/ServerDate.h"
#include "session/Statements.h"
#include "session/modGlobal.h"
#include "suite/DoctorSearch.h"
#include "support/DatabaseFixture.h"
#include "support/FakeTdsServer.h"
#include "support/OdbcDrivers.h"

using namespace session;
using testsupport::DatabaseFixture;
using namespace Qt::StringLiterals;

namespace {

const QString kStaffSelect = QStringLiteral(
    "select DISTINCT employeeid AS CODE,isnull(lastname,'') + ' ,' +isnull(firstname,'') + ' ' + "
    "isnull(middlename,'') AS [OR STAFF] from PASSWORD..tbpasswordmain AS tbpasswordmain where "
    "originaldepartment = '29'");

// A request whose every field holds its own argument name: A1 for the patient, and so on in
// the order of the save statement.
ORSchedule NumberedRequest() {
  ORSchedule r;
  r.patientName = QStringLiteral("A1");
  r.orRoomCode = QStringLiteral("A2");
  r.staff[kSurgeon].code = QStringLiteral("A3");
  r.staff[kAnes].code = QStringLiteral("A4");
  r.operationAt = platform::WallClock(QDate(2026, 12, 8), QTime(14, 5, 9));  // A5
  r.remarks = QStringLiteral("A7");
  r.staff[kCNurse].code = QStringLiteral("A8");
  r.staff[kSNurse].code = QStringLiteral("A9");
  r.staff[kSNurse2].code = QStringLiteral("A10");
  r.staff[kSurgeon1].code = QStringLiteral("A11");
  r.staff[kSurgeon2].code = QStringLiteral("A12");
  r.staff[kAnes2].code = QStringLiteral("A13");
  r.procedure = QStringLiteral("A14");
  r.patientRoom = QStringLiteral("A15");
  r.transNum = 17;
  r.staff[kAsstDoc].code = QStringLiteral("A18");
  return r;
}

const QDateTime kSavedAt = platform::WallClock(QDate(2026, 12, 7), QTime(10, 48, 54));

// Every row of a statement, each as its fields' texts.
QList<QStringList> Rows(DatabaseFixture& db, const QString& sql) {
  QList<QStringList> rows;
  auto records = db.connection()->Open(sql);
  for (; !records->AtEnd(); records->MoveNext()) {
    QStringList row;
    for (int f = 0; f < records->FieldCount(); ++f)
      row << records->Text(f);
    rows << row;
  }
  records->Close();
  return rows;
}

// The listed request of this patient on `dateText`.
ORSchedule ListedRequest(DatabaseFixture& db, const QString& dateText, const QString& patient) {
  const auto listing = ListRequests(*db.connection(), dateText);
  for (int r = 0; r < listing->Rows(); ++r)
    if (listing->At(r).patientName == patient) return listing->At(r);
  return {};
}

}  // namespace

class TestSession : public QObject {
  Q_OBJECT

 private slots:
  // With values free of apostrophes, each text is word for word what the server expects:
  // blanks in the separators where the server's texts have them, values trimmed or not as
  // each statement sends them. (Texts without values are checked by the server below.)
  void textsAreTheServersOwn_data() {
    QTest::addColumn<QString>("built");
    QTest::addColumn<QString>("expected");
    QTest::newRow("request list") << ScheduleListSql(QStringLiteral("12/08/2026"))
                                  << QStringLiteral("SCHEDULE..sp_GetORSchedule '12/08/2026'");
    QTest::newRow("room name, code trimmed")
        << RoomNameSql(QStringLiteral(" OR1 "))
        << QStringLiteral("select RoomID, RoomName from schedule..tbOrRoom where roomid = 'OR1'");
    QTest::newRow("room code, name trimmed") << RoomCodeSql(QStringLiteral("  OR 1 "))
                                             << QStringLiteral("SCHEDULE..sp_Get_ORRoom 'OR 1'");
    QTest::newRow("save")
        << SaveScheduleSql(NumberedRequest(), QStringLiteral("A6"), kSavedAt)
        << QStringLiteral(
               "SCHEDULE..Save_OR_Schedule 'A1','A2','A3','A4','12/8/2026 02:05:09 PM','A6','A7',"
               "'A8','A9','A10','A11','A12','A13','A14','A15', '12/7/2026 10:48:54 AM','17','A18'");
    ORSchedule blanks;
    blanks.patientName = QStringLiteral(" X ");
    QTest::newRow("save keeps blanks")
        << SaveScheduleSql(blanks, QStringLiteral(" E "), QDateTime())
        << QStringLiteral(
               "SCHEDULE..Save_OR_Schedule ' X ','','','','',' E ','','','','','','',"
               "'','','', '','',''");
    QTest::newRow("confirm") << UpdateScheduleSql(RequestStatus::Confirmed, QStringLiteral(" E1"),
                                                  123)
                             << QStringLiteral("Schedule..sp_UpdateSchedules 'C',' E1', '123'");
    QTest::newRow("staff by key: name trimmed, code as typed")
        << OrStaffByKeySql(QStringLiteral(" SAN "))
        << kStaffSelect + QStringLiteral(
                              "  and (lastname like 'SAN%' or employeeid = ' SAN ') "
                              "order by [OR STAFF]");
    QTest::newRow("beyond ASCII: a Unicode literal, apostrophes doubled")
        << OrStaffByKeySql(QStringLiteral(" D'ЖУК "))
        << kStaffSelect + QStringLiteral(
                              "  and (lastname like N'D''ЖУК%' or employeeid = N' D''ЖУК ') "
                              "order by [OR STAFF]");
    QTest::newRow("beyond ASCII in one value only")
        << UpdateScheduleSql(RequestStatus::Confirmed, QStringLiteral("PEÑA"), 7)
        << QStringLiteral("Schedule..sp_UpdateSchedules 'C',N'PEÑA', '7'");
  }
  void textsAreTheServersOwn() {
    QFETCH(QString, built);
    QFETCH(QString, expected);
    QCOMPARE(built, expected);
  }

  // Names in any script are saved, listed and found as typed.
  void valuesBeyondAsciiArriveIntact() {
    DatabaseFixture db;
    db.exec(QStringLiteral("INSERT INTO tbpasswordmain VALUES ('Ж1', 'ЖУКОВА', 'АННА', '', '29')"));
    db.exec(QStringLiteral(
        "INSERT INTO tbDoctor VALUES ('山1', '山田', '太郎', '', 'ANESTHESIOLOGY')"));
    QCOMPARE(
        Rows(db, OrStaffByKeySql(QStringLiteral("ЖУК"))),
        QList<QStringList>{(QStringList{QStringLiteral("Ж1"), QStringLiteral("ЖУКОВА ,АННА ")})});
    QCOMPARE(Rows(db, suite::DoctorSearchSql(QStringLiteral("山"))).value(0).value(1),
             QStringLiteral("山田"));
    ORSchedule request;
    request.patientName = QStringLiteral("PEÑA, JOSÉ");
    request.procedure = QStringLiteral("ΛΑΠΑΡΟΣΚΟΠΗΣΗ");
    request.staff[kCNurse].code = QStringLiteral("Ж1");
    request.staff[kAnes].code = QStringLiteral("山1");
    request.operationAt = platform::WallClock(QDate(2026, 12, 8), QTime(14, 0));
    db.connection()->Execute(SaveScheduleSql(request, QStringLiteral("Ж1"), QDateTime()));
    const ORSchedule saved = ListedRequest(db, QStringLiteral("12/08/2026"), request.patientName);
    QCOMPARE(saved.procedure, request.procedure);
    QCOMPARE(saved.staff[kCNurse].name, QStringLiteral("ЖУКОВА ,АННА "));
    QCOMPARE(saved.staff[kAnes].name, QStringLiteral("山田 ,太郎"));
  }

  // Every text goes through the embedded server, which knows each statement by its shape, and
  // every value with an apostrophe arrives as typed.
  void valuesWithApostrophesArriveIntact() {
    DatabaseFixture db;
    db.exec(QStringLiteral("INSERT INTO tbOrRoom (RoomID, RoomName) VALUES (?, ?)"),
            {QStringLiteral("O'R9"), QStringLiteral("O'HARA SUITE")});
    db.exec(QStringLiteral("INSERT INTO tbpasswordmain VALUES (?, ?, ?, ?, '29')"),
            {QStringLiteral("N'1"), QStringLiteral("O'BRIEN"), QStringLiteral("ANN"), QString()});
    const QString staffName = QStringLiteral("O'BRIEN ,ANN ");

    QCOMPARE(Rows(db, RoomNameSql(QStringLiteral("O'R9"))).value(0).value(1),
             QStringLiteral("O'HARA SUITE"));
    QCOMPARE(Rows(db, RoomCodeSql(QStringLiteral(" O'HARA SUITE "))).value(0).value(0),
             QStringLiteral("O'R9"));
    QVERIFY(Rows(db, RoomListSql()).contains(QStringList{QStringLiteral("O'HARA SUITE")}));
    QVERIFY(Rows(db, AllOrStaffSql()).contains(QStringList({QStringLiteral("N'1"), staffName})));
    QVERIFY(Rows(db, OrStaffByKeySql(QStringLiteral("O'BRI")))
                .contains(QStringList({QStringLiteral("N'1"), staffName})));
    QCOMPARE(Rows(db, OrStaffByKeySql(QStringLiteral("N'1"))).size(), 1);

    ORSchedule request;
    request.patientName = QStringLiteral("O'NEIL, PAT");
    request.procedure = QStringLiteral("REPAIR OF O'DONOGHUE'S TRIAD");
    request.remarks = QStringLiteral("'quoted' and ''doubled''");
    request.orRoomCode = QStringLiteral("O'R9");
    request.staff[kCNurse].code = QStringLiteral("N'1");
    request.operationAt = platform::WallClock(QDate(2026, 12, 8), QTime(14, 0));
    request.staff[kSurgeon].code = QStringLiteral("D'1");  // a code no doctor has
    db.connection()->Execute(SaveScheduleSql(request, QStringLiteral("N'1"), kSavedAt));
    ORSchedule saved = ListedRequest(db, QStringLiteral("12/08/2026"), request.patientName);
    QCOMPARE(saved.procedure, request.procedure);
    QCOMPARE(saved.remarks, request.remarks);
    QCOMPARE(saved.orRoomCode, request.orRoomCode);
    QCOMPARE(saved.staff[kSurgeon].code, request.staff[kSurgeon].code);
    QCOMPARE(saved.staff[kCNurse].name, staffName);

    // A change of the saved request, then its confirmation by an employee code with an
    // apostrophe.
    saved.remarks = QStringLiteral("IT'S CHANGED");
    db.connection()->Execute(SaveScheduleSql(saved, QStringLiteral("N'1"), QDateTime()));
    db.connection()->Execute(
        UpdateScheduleSql(RequestStatus::Confirmed, QStringLiteral("N'1"), *saved.transNum));
    const ORSchedule confirmed = ListedRequest(db, QStringLiteral("12/8/2026"), saved.patientName);
    QCOMPARE(confirmed.remarks, QStringLiteral("IT'S CHANGED"));
    QCOMPARE(confirmed.status, RequestStatus::Confirmed);
    QCOMPARE(confirmed.confirmedBy, staffName);

    bool onBoard = false;
    for (const QStringList& row : Rows(db, ConfirmedListSql()))
      onBoard = onBoard || row.contains(saved.patientName);
    QVERIFY(onBoard);

    modGlobal::ServerDateTime = {};
    Get_ServerDate([&] { return db.connection(); });
    // The server's clock runs on from the moment the fixture set it.
    const qint64 sinceSet = DatabaseFixture::DefaultNow().secsTo(modGlobal::ServerDateTime);
    QVERIFY2(sinceSet >= 0 && sinceSet < 60, qPrintable(QString::number(sinceSet)));
  }

  // Through FreeTDS to a stand-in of the server: a check opens a transaction, holds its request,
  // and commits the write; it rolls back when the check refuses, when the write is refused, and
  // after a statement that waited past the command timeout, which is told as another desk
  // saving the request.
  void aCheckedWriteIsOneTransactionOnTheServer_data() {
    QTest::addColumn<bool>("passes");
    QTest::addColumn<QString>("write");
    QTest::addColumn<bool>("hangs");
    QTest::addColumn<QStringList>("sent");  // from the transaction's beginning
    QTest::addColumn<QString>("thrown");
    const QString begin = BeginTransactionSql(), held = ScheduleByNumSql(42, ByNum::Held),
                  update = QStringLiteral("update t set n = 1"),
                  refused = u"raiserror('no', 16, 1)"_s;
    QTest::newRow("checked and committed")
        << true << update << false << QStringList{begin, held, update, CommitTransactionSql()}
        << QString();
    QTest::newRow("refused by its check")
        << false << update << false << QStringList{begin, held, RollbackTransactionSql()}
        << QString();
    QTest::newRow("the write refused")
        << true << refused << false << QStringList{begin, held, refused, RollbackTransactionSql()}
        << u"The fake server refuses this statement."_s;
    QTest::newRow("a wait past the timeout")
        << true << update << true << QStringList{begin, RollbackTransactionSql()}
        << u"Another workstation is saving this schedule. Please try again."_s;
  }
  void aCheckedWriteIsOneTransactionOnTheServer() {
    QFETCH(bool, passes);
    QFETCH(QString, write);
    QFETCH(bool, hangs);
    QFETCH(QStringList, sent);
    QFETCH(QString, thrown);
    static const testsupport::OdbcDrivers drivers;
    testsupport::FakeTdsServer server(hangs ? testsupport::FakeTdsServer::Mode::Hanging
                                            : testsupport::FakeTdsServer::Mode::Answering);
    platform::OdbcConnection connection(drivers.FreeTds(server.port()));
    connection.SetCommandTimeout(1);
    QString said;
    try {
      QCOMPARE(RunChecked(connection, {42, [&](auto&, auto&) { return passes; },
                                       [&](platform::Connection& c) { c.Execute(write); }}),
               passes);
    } catch (const platform::RuntimeError& error) {
      said = error.message();
    }
    QCOMPARE(said.isEmpty(), thrown.isEmpty());
    QVERIFY2(said.endsWith(thrown), qPrintable(said));
    QStringList batches;
    for (const QString& batch : server.batches())
      batches << batch.section(u' ', 1);
    QCOMPARE(batches.mid(batches.indexOf(BeginTransactionSql())), sent);
  }
};

QTEST_MAIN(TestSession)
#include "test_session.moc"
