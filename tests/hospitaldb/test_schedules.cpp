// The request list, saving, confirming and revoking, and the board's listing.
#include <QtTest>

#include "hospitaldb/ClientStatements.h"
#include "hospitaldb/StatementHandlers.h"
#include "hospitaldb/TsqlDate.h"
#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/SqlQuote.h"
#include "platform/WallClock.h"
#include "support/DatabaseFixture.h"

using testsupport::DatabaseFixture;
using namespace Qt::StringLiterals;
namespace Shape = hospitaldb::ClientStatement;

namespace {

const QDate kToday = DatabaseFixture::DefaultNow().date();

// The statement of this shape with these values, each between quotes as they are.
QString Text(const char* shape, const QStringList& values) {
  QStringList quoted;
  for (const QString& value : values)
    quoted << u'\'' + value + u'\'';
  return hospitaldb::FillShape(shape, quoted);
}

// The save statement exactly as the client builds it.
QString SaveText(const QStringList& a) {
  QStringList quoted;
  for (const QString& value : a)
    quoted << platform::SqlQuote(value);
  return Text(Shape::kSaveSchedule, quoted);
}

// Eighteen arguments of a typical save; transNum empty for a new request.
QStringList SaveArguments(const QString& transNum = QString()) {
  return {QStringLiteral("O'BRIEN, SEAN P."),
          QStringLiteral("OR02"),
          QStringLiteral("D1006"),
          QStringLiteral("D1002"),
          QStringLiteral("12/8/2026 09:30:00 AM"),
          QStringLiteral("E1001"),
          QStringLiteral("PATIENT'S WIFE WILL SIGN"),
          QStringLiteral("E1003"),
          QStringLiteral("E1002"),
          QString(),
          QStringLiteral("D1001"),
          QString(),
          QString(),
          QStringLiteral("APPENDECTOMY"),
          QStringLiteral("301-A"),
          QStringLiteral("12/7/2026 10:48:54 AM"),
          transNum,
          QStringLiteral("D1003")};
}

QString ListText(const QString& date) {
  return Text(Shape::kScheduleList, {date});
}

QString UpdateText(const QString& status, const QString& employee, const QString& transNum) {
  return Text(Shape::kUpdateSchedule, {status, employee, transNum});
}

// Runs `sql` and returns the failure's message (empty when it did not fail).
QString FailureOf(DatabaseFixture& db, const QString& sql) {
  try {
    db.connection()->Execute(sql);
  } catch (const platform::DatabaseError& error) {
    return error.message();
  }
  return QString();
}

const QString kBoardText = QString::fromLatin1(Shape::kConfirmedList);

}  // namespace

class TestSchedules : public QObject {
  Q_OBJECT

 private slots:
  void listingHasTheClientsColumns();
  void listingReadsTheDateMonthFirst_data();
  void listingReadsTheDateMonthFirst();
  void listingOfAnEmptyDayHasNoRows();
  void listingRefusesAnUnreadableDate();
  void saveStoresANewPendingRequestIntact();
  void saveWithANumberUpdatesThatRequest();
  void saveOfAnUnknownNumberFailsAndChangesNothing_data();
  void saveOfAnUnknownNumberFailsAndChangesNothing();
  void saveRefusesWhatItCannotStore_data();
  void saveRefusesWhatItCannotStore();
  void whoActedIsTheLoginsEmployee_data();
  void whoActedIsTheLoginsEmployee();
  void namesResolveAsSqlServerCompares();
  void confirmAndRevokeRecordWhoAndWhen();
  void updateOfAnUnknownRequestFails_data();
  void updateOfAnUnknownRequestFails();
  void boardListsTodaysConfirmedByTime();
  void boardFollowsTheServerDate();
  void boardReadsTheStatusAsTheClientDoes();
  void openAndExecuteTakeEveryStatement();
};

void TestSchedules::listingHasTheClientsColumns() {
  DatabaseFixture db;
  const auto result = db.open(ListText(QStringLiteral("12/08/2026")));
  const QStringList expected =
      u"PatientName ProcedureName RoomNo ORRoomID SurgeonCode Surgeon AnesCode Anesthesiologist "
      "OperationDate Remarks TransNum CNurseCode CNurse SNurseCode SNurse SNurse2Code SNurse2 "
      "Surgeon1Code AsstSurgeon1 Surgeon2Code AsstSurgeon2 Anes2Code AsstAnesthesiologist "
      "AsstDocCode AsstDoctor EncodedBy Status ConfirmedBy DateConfirmed RevokedBy DateRevoked"_s
          .split(u' ');
  QCOMPARE(result.fields, expected);
  QCOMPARE(result.rows.size(), db.countRequests(kToday));
  QCOMPARE(result.rows.size(), db.transNumsOn(kToday).size());

  QDateTime previous;
  for (int i = 0; i < result.rows.size(); ++i) {
    const QVariantList& row = result.rows[i];
    const QDateTime when = row[8].toDateTime();
    QCOMPARE(row[8].typeId(), QMetaType::QDateTime);
    QCOMPARE(when.date(), kToday);
    QVERIFY(!previous.isValid() || previous <= when);
    QCOMPARE(row[10].toLongLong(), db.transNumsOn(kToday)[i]);  // ties by number
    previous = when;
    if (row[26].toString() == QLatin1String("C")) {
      QVERIFY(!row[27].toString().isEmpty());
      QCOMPARE(row[28].typeId(), QMetaType::QDateTime);
    }
  }
}

void TestSchedules::listingReadsTheDateMonthFirst_data() {
  QTest::addColumn<QString>("date");
  QTest::newRow("start-up text") << u"12/08/2026"_s;
  QTest::newRow("picker text") << u"12/8/2026"_s;
  QTest::newRow("with a time") << u"12/8/2026 11:59:00 PM"_s;
  QTest::newRow("ISO") << u"2026-12-08"_s;
  QTest::newRow("blanks") << u" 12/8/2026 "_s;
}

void TestSchedules::listingReadsTheDateMonthFirst() {
  QFETCH(QString, date);
  DatabaseFixture db;
  QVERIFY(db.countRequests(kToday) > 0);
  QCOMPARE(db.open(ListText(date)).rows.size(), db.countRequests(kToday));
}

void TestSchedules::listingOfAnEmptyDayHasNoRows() {
  DatabaseFixture db;
  const auto result = db.open(ListText(QStringLiteral("8/12/2026")));  // August, not December
  QCOMPARE(result.rows.size(), 0);
  QCOMPARE(result.fields.size(), 31);
}

void TestSchedules::listingRefusesAnUnreadableDate() {
  DatabaseFixture db;
  QCOMPARE(FailureOf(db, ListText(QStringLiteral("13/8/2026"))), hospitaldb::DateConversionError());
}

void TestSchedules::saveStoresANewPendingRequestIntact() {
  DatabaseFixture db;
  const int before = db.countRequests(kToday);
  db.connection()->Execute(SaveText(SaveArguments()));
  QCOMPARE(db.countRequests(kToday), before + 1);

  const QVariantMap row = db.request(db.lastTransNum());
  QCOMPARE(row.value(u"PatientName"_s).toString(), QStringLiteral("O'BRIEN, SEAN P."));
  QCOMPARE(row.value(u"Remarks"_s).toString(), QStringLiteral("PATIENT'S WIFE WILL SIGN"));
  QCOMPARE(row.value(u"OperationDate"_s).toString(), QStringLiteral("2026-12-08 09:30:00"));
  QCOMPARE(row.value(u"DateEncoded"_s).toString(), QStringLiteral("2026-12-07 10:48:54"));
  QCOMPARE(row.value(u"EncodedBy"_s).toString(), QStringLiteral("E1001"));
  QCOMPARE(row.value(u"Status"_s).toString(), QStringLiteral("P"));
  QCOMPARE(row.value(u"ORRoomID"_s).toString(), QStringLiteral("OR02"));
  QCOMPARE(row.value(u"RoomNo"_s).toString(), QStringLiteral("301-A"));
  QCOMPARE(row.value(u"Surgeon"_s).toString(), QStringLiteral("D'SOUZA ,PATRICIA"));
  QCOMPARE(row.value(u"Anesthesiologist"_s).toString(), QStringLiteral("AGUILAR ,HELEN"));
  QCOMPARE(row.value(u"AsstSurgeon1"_s).toString(), QStringLiteral("ABAD ,ANTONIO"));
  QCOMPARE(row.value(u"SNurse"_s).toString(), QStringLiteral("O'BRIEN ,KATHLEEN MURPHY"));
  QCOMPARE(row.value(u"SNurse2"_s).toString(), QString());
  QVERIFY(!row.value(u"CNurse"_s).toString().isEmpty());
  QVERIFY(!row.value(u"AsstDoctor"_s).toString().isEmpty());

  // The listing carries it, names and codes side by side.
  const auto listed = db.open(ListText(QStringLiteral("12/08/2026")));
  const auto saved =
      std::find_if(listed.rows.begin(), listed.rows.end(),
                   [&](const QVariantList& r) { return r[10].toLongLong() == db.lastTransNum(); });
  QVERIFY(saved != listed.rows.end());
  QCOMPARE((*saved)[0].toString(), QStringLiteral("O'BRIEN, SEAN P."));
  QCOMPARE((*saved)[4].toString(), QStringLiteral("D1006"));
  QCOMPARE((*saved)[5].toString(), QStringLiteral("D'SOUZA ,PATRICIA"));
  QCOMPARE((*saved)[8].toDateTime(), platform::WallClock(kToday, QTime(9, 30)));
  QCOMPARE((*saved)[25].toString(), QStringLiteral("E1001"));
}

void TestSchedules::saveWithANumberUpdatesThatRequest() {
  DatabaseFixture db;
  auto sample = db.sampleRequest(platform::WallClock(kToday, QTime(14, 0)));
  sample.status = QStringLiteral("C");
  sample.confirmedByCode = QStringLiteral("E1004");
  sample.dateConfirmed = platform::WallClock(kToday, QTime(8, 0));
  const qint64 transNum = db.insertRequest(sample);
  const int requests = db.countRequests(kToday) + db.countRequests(kToday.addDays(1));

  QStringList args = SaveArguments(QString::number(transNum));
  args[4] = QStringLiteral("12/9/2026 07:15:00 AM");
  args[5] = QStringLiteral("E1005");
  args[13] = QStringLiteral("LAPAROSCOPIC CHOLECYSTECTOMY");
  db.connection()->Execute(SaveText(args));

  QCOMPARE(db.countRequests(kToday) + db.countRequests(kToday.addDays(1)), requests);
  const QVariantMap row = db.request(transNum);
  QCOMPARE(row.value(u"OperationDate"_s).toString(), QStringLiteral("2026-12-09 07:15:00"));
  QCOMPARE(row.value(u"ProcedureName"_s).toString(),
           QStringLiteral("LAPAROSCOPIC CHOLECYSTECTOMY"));
  QCOMPARE(row.value(u"Surgeon"_s).toString(), QStringLiteral("D'SOUZA ,PATRICIA"));
  // Who first encoded it and its status stay; the change is recorded beside them.
  QCOMPARE(row.value(u"EncodedBy"_s).toString(), QStringLiteral("E1001"));
  QCOMPARE(row.value(u"UpdatedBy"_s).toString(), QStringLiteral("E1005"));
  QCOMPARE(row.value(u"DateUpdated"_s).toString(), QStringLiteral("2026-12-07 10:48:54"));
  QCOMPARE(row.value(u"Status"_s).toString(), QStringLiteral("C"));
  QCOMPARE(row.value(u"ConfirmedByCode"_s).toString(), QStringLiteral("E1004"));
}

void TestSchedules::saveOfAnUnknownNumberFailsAndChangesNothing_data() {
  QTest::addColumn<QString>("transNum");
  QTest::addColumn<QString>("message");
  QTest::newRow("no such request")
      << u"999999"_s << hospitaldb::UnknownTransactionError(u"999999"_s);
  QTest::newRow("not a number") << u"12A"_s << hospitaldb::NotANumberError(u"12A"_s);
}

void TestSchedules::saveOfAnUnknownNumberFailsAndChangesNothing() {
  QFETCH(QString, transNum);
  QFETCH(QString, message);
  DatabaseFixture db;
  const qint64 last = db.lastTransNum();
  const int before = db.countRequests(kToday);
  QCOMPARE(FailureOf(db, SaveText(SaveArguments(transNum))), message);
  QCOMPARE(db.lastTransNum(), last);
  QCOMPARE(db.countRequests(kToday), before);
}

void TestSchedules::saveRefusesWhatItCannotStore_data() {
  QTest::addColumn<int>("argument");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("message");
  const QString unreadable = hospitaldb::DateConversionError();
  QTest::newRow("day first operation date") << 4 << u"13/12/2026 09:30:00 AM"_s << unreadable;
  QTest::newRow("empty operation date") << 4 << u""_s << unreadable;
  QTest::newRow("operation time") << 4 << u"12/8/2026 09:75:00 AM"_s << unreadable;
  QTest::newRow("time of saving") << 15 << u"yesterday"_s << unreadable;
  QTest::newRow("remarks of 4,001 characters")
      << 6 << QString(4001, u'R')
      << u"String or binary data would be truncated in table 'SCHEDULE.dbo.tbORSchedule', "
         "column 'Remarks'."_s;
}

void TestSchedules::saveRefusesWhatItCannotStore() {
  QFETCH(int, argument);
  QFETCH(QString, text);
  QFETCH(QString, message);
  DatabaseFixture db;
  const qint64 last = db.lastTransNum();
  QStringList args = SaveArguments();
  args[argument] = text;
  QCOMPARE(FailureOf(db, SaveText(args)), message);
  QCOMPARE(db.lastTransNum(), last);
}

// While the server enforces who acted, a save, a confirmation or a revocation is taken only
// under the employee the login is mapped to, compared as the server compares codes; a mapping
// alone enforces nothing.
void TestSchedules::whoActedIsTheLoginsEmployee_data() {
  QTest::addColumn<QString>("action");  // "S" saves a new request, "C" confirms, "R" revokes
  QTest::addColumn<QString>("employee");
  QTest::addColumn<bool>("enforced");
  QTest::addColumn<bool>("taken");
  QTest::newRow("save as another employee") << u"S"_s << u"E1002"_s << true << false;
  QTest::newRow("save as the login's, in small letters") << u"S"_s << u"e1001"_s << true << true;
  QTest::newRow("confirm as another employee") << u"C"_s << u"E1002"_s << true << false;
  QTest::newRow("revoke as another employee") << u"R"_s << u"E1002"_s << true << false;
  QTest::newRow("mapped, not enforced") << u"S"_s << u"E1002"_s << false << true;
}

void TestSchedules::whoActedIsTheLoginsEmployee() {
  QFETCH(QString, action);
  QFETCH(QString, employee);
  QFETCH(bool, enforced);
  QFETCH(bool, taken);
  DatabaseFixture db;
  db.server().SetLogin(u"desk1"_s);
  db.exec(u"INSERT INTO tbORLogin VALUES ('desk1', 'E1001')"_s);
  if (enforced) db.exec(u"INSERT INTO tbORSetting VALUES ('EnforceLoginEmployee', 'on')"_s);
  const qint64 last = db.lastTransNum();
  const QVariantMap before = db.request(last);
  QStringList args = SaveArguments();
  args[5] = employee;
  const QString sql =
      action == u"S"_s ? SaveText(args) : UpdateText(action, employee, QString::number(last));
  QCOMPARE(FailureOf(db, sql),
           taken ? QString()
                 : u"The login desk1 may not act as employee E1002: SCHEDULE..tbORLogin maps it "
                   "to another employee or to none. Nothing was changed."_s);
  QCOMPARE(db.lastTransNum() != last || db.request(last) != before, taken);
}

void TestSchedules::namesResolveAsSqlServerCompares() {
  DatabaseFixture db;
  QStringList args = SaveArguments();
  args[2] = QStringLiteral("d1006  ");  // case and trailing blanks do not matter
  args[3] = QStringLiteral(" D1002");   // a leading blank does
  args[7] = QStringLiteral("NOBODY");
  args[8] = QStringLiteral("e1002");
  db.connection()->Execute(SaveText(args));
  const QVariantMap row = db.request(db.lastTransNum());
  QCOMPARE(row.value(u"SurgeonCode"_s).toString(), QStringLiteral("d1006  "));
  QCOMPARE(row.value(u"Surgeon"_s).toString(), QStringLiteral("D'SOUZA ,PATRICIA"));
  QCOMPARE(row.value(u"Anesthesiologist"_s).toString(), QString());
  QCOMPARE(row.value(u"CNurse"_s).toString(), QString());
  QCOMPARE(row.value(u"SNurse"_s).toString(), QStringLiteral("O'BRIEN ,KATHLEEN MURPHY"));
}

void TestSchedules::confirmAndRevokeRecordWhoAndWhen() {
  DatabaseFixture db;
  const qint64 transNum =
      db.insertRequest(db.sampleRequest(platform::WallClock(kToday, QTime(15, 0))));
  const QDateTime before = db.server().Now();
  db.connection()->Execute(
      UpdateText(u"C"_s, hospitaldb::DemoEmployeeCode(), QString::number(transNum)));
  const QDateTime after = db.server().Now();
  QVariantMap row = db.request(transNum);
  QCOMPARE(row.value(u"Status"_s).toString(), QStringLiteral("C"));
  QCOMPARE(row.value(u"ConfirmedBy"_s).toString(), QStringLiteral("SANTOS ,MARIA CLARA REYES"));
  const QDateTime confirmed =
      hospitaldb::ReadTsqlDateTime(row.value(u"DateConfirmed"_s).toString()).value();
  QVERIFY2(before <= confirmed && confirmed <= after, qPrintable(confirmed.toString()));

  // Revoked by someone the staff table does not know: the code stands for the name.
  db.connection()->Execute(UpdateText(u"R"_s, u"GUEST"_s, QString::number(transNum) + u"  "_s));
  row = db.request(transNum);
  QCOMPARE(row.value(u"Status"_s).toString(), QStringLiteral("R"));
  QCOMPARE(row.value(u"RevokedBy"_s).toString(), QStringLiteral("GUEST"));
  QCOMPARE(row.value(u"RevokedByCode"_s).toString(), QStringLiteral("GUEST"));
  QVERIFY(!row.value(u"DateRevoked"_s).toString().isEmpty());
  QCOMPARE(row.value(u"ConfirmedBy"_s).toString(), QStringLiteral("SANTOS ,MARIA CLARA REYES"));
}

void TestSchedules::updateOfAnUnknownRequestFails_data() {
  QTest::addColumn<QString>("status");
  QTest::addColumn<QString>("transNum");
  QTest::addColumn<QString>("message");
  QTest::newRow("confirm") << u"C"_s << u"999999"_s
                           << hospitaldb::UnknownTransactionError(u"999999"_s);
  QTest::newRow("revoke") << u"R"_s << u"999999"_s
                          << hospitaldb::UnknownTransactionError(u"999999"_s);
  QTest::newRow("empty number") << u"C"_s << u""_s << hospitaldb::NotANumberError(u""_s);
  QTest::newRow("other status") << u"X"_s << u"1"_s
                                << u"Unknown schedule status 'X': C confirms, R revokes."_s;
}

void TestSchedules::updateOfAnUnknownRequestFails() {
  QFETCH(QString, status);
  QFETCH(QString, transNum);
  QFETCH(QString, message);
  DatabaseFixture db;
  const QVariantMap first = db.request(1);
  QCOMPARE(FailureOf(db, UpdateText(status, u"E1001"_s, transNum)), message);
  QCOMPARE(db.request(1), first);
}

void TestSchedules::boardListsTodaysConfirmedByTime() {
  DatabaseFixture db;
  const auto board = db.open(kBoardText);
  QCOMPARE(board.fields,
           QStringList({u"Time"_s, u"Surgeon"_s, u"Anesthesiologist"_s, u"Patientname"_s, u"Room"_s,
                        u"Procedurename"_s, u"AsstDoctor"_s, u"CNurse"_s, u"SNurse"_s, u"ORRoom"_s,
                        u"Status"_s, u"Transnum"_s}));
  int confirmedToday = 0;
  for (qint64 n : db.transNumsOn(kToday))
    confirmedToday += db.request(n).value(u"Status"_s).toString() == QLatin1String("C");
  QVERIFY(confirmedToday >= 2);
  QCOMPARE(board.rows.size(), confirmedToday);

  QTime previous(0, 0);
  for (const QVariantList& row : board.rows) {
    const QVariantMap request = db.request(row[11].toLongLong());
    const QDateTime when =
        hospitaldb::ReadTsqlDateTime(request.value(u"OperationDate"_s).toString()).value();
    QCOMPARE(when.date(), kToday);
    QCOMPARE(row[0].toString(), when.time().toString(QStringLiteral("hh:mm AP")));
    QVERIFY(previous <= when.time());
    previous = when.time();
    QCOMPARE(row[10].toString(), QStringLiteral("C"));
    QCOMPARE(row[3].toString(), request.value(u"PatientName"_s).toString());
    QCOMPARE(row[4].toString(), request.value(u"RoomNo"_s).toString());
    const auto room = db.open(Text(Shape::kRoomName, {request.value(u"ORRoomID"_s).toString()}));
    QCOMPARE(row[9].toString(), room.rows.value(0).value(1).toString());  // the name, not the code
    QVERIFY(!row[9].toString().isEmpty());
  }
}

void TestSchedules::boardFollowsTheServerDate() {
  DatabaseFixture db;
  auto late = db.sampleRequest(platform::WallClock(kToday.addDays(1), QTime(23, 59)));
  late.status = QStringLiteral("C");
  const qint64 transNum = db.insertRequest(late);
  auto listed = [&] {
    QList<qint64> numbers;
    for (const QVariantList& row : db.open(kBoardText).rows)
      numbers << row[11].toLongLong();
    return numbers;
  };
  QVERIFY(!listed().contains(transNum));
  db.server().SetNow(platform::WallClock(kToday.addDays(1), QTime(6, 0)));
  QVERIFY(listed().contains(transNum));
  QCOMPARE(listed().last(), transNum);
}

void TestSchedules::boardReadsTheStatusAsTheClientDoes() {
  DatabaseFixture db(DatabaseFixture::DefaultNow(), DatabaseFixture::Seed::Empty);
  QList<qint64> numbers;
  for (const QString& status : {u"C"_s, u" C "_s, u"c"_s, u"R"_s, u"P"_s, QString()}) {
    auto request = db.sampleRequest(platform::WallClock(kToday, QTime(8, 0)));
    request.status = status;
    numbers << db.insertRequest(request);
  }
  const auto board = db.open(kBoardText);
  QCOMPARE(board.rows.size(), 2);
  QCOMPARE(board.rows[0][11].toLongLong(), numbers[0]);
  QCOMPARE(board.rows[1][11].toLongLong(), numbers[1]);
  QCOMPARE(board.rows[0][0].toString(), QStringLiteral("08:00 AM"));
}

void TestSchedules::openAndExecuteTakeEveryStatement() {
  DatabaseFixture db;
  db.connection()->Execute(ListText(QStringLiteral("12/08/2026")));
  const auto written = db.connection()->Open(SaveText(SaveArguments()));
  QVERIFY(written->AtEnd());
  QCOMPARE(written->FieldCount(), 0);
  QCOMPARE(db.request(db.lastTransNum()).value(u"PatientName"_s).toString(),
           QStringLiteral("O'BRIEN, SEAN P."));
}

QTEST_GUILESS_MAIN(TestSchedules)
#include "test_schedules.moc"
