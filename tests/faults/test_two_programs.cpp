// Two programs on one embedded database file at once, as two workstations of a small clinic
// sharing the file would run: for a minute each saves, lists and confirms requests of one date,
// while for a stretch a third holds the file for writing longer than a program waits for it.
// No request is lost or stored twice, no save is said to have worked without its row, every
// listing holds what its program saved, and every failure a program meets says that the
// database is busy.
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>

#include "hospitaldb/SqlHelpers.h"
#include "support/DatabaseFixture.h"

using testsupport::DatabaseFixture;

namespace {

constexpr int kSeconds = 60;
// The file is held from this second on, for longer than a program's 10-second busy timeout, so
// that each program's write in that stretch gives up and says so.
constexpr int kHeldFrom = 20;
constexpr int kHeldFor = 13;
const QDate kDate(2027, 1, 20);  // a day without demo requests
const QString kBusy = QStringLiteral("The database is busy");

// What one program said it did.
struct Outcome {
  QStringList saved, notSaved, confirmed, failures, missing;
  int listings = 0;
};

Outcome Read(const QString& output) {
  Outcome o;
  static const QRegularExpression failed(QStringLiteral("^FAILED (\\w+) (\\S+) \\| (.*)$"));
  for (const QString& line : output.split(u'\n', Qt::SkipEmptyParts)) {
    const QString rest = line.section(u' ', 1);
    if (line.startsWith(u"SAVED ")) o.saved << rest;
    if (line.startsWith(u"CONFIRMED ")) o.confirmed << rest;
    if (line.startsWith(u"LISTED ")) ++o.listings;
    if (line.startsWith(u"MISSING ")) o.missing << rest;
    if (const auto m = failed.match(line); m.hasMatch()) {
      o.failures << m.captured(3);
      if (m.captured(1) == u"SAVE") o.notSaved << m.captured(2);
    }
  }
  return o;
}

// How many rows each patient of the programs has in the database.
QHash<QString, int> StoredPatients(const DatabaseFixture& db) {
  QSqlQuery query = hospitaldb::PrepareQuery(
      db.database(), QStringLiteral("SELECT PatientName, count(*) FROM tbORSchedule"
                                    " WHERE PatientName LIKE 'A-%' OR PatientName LIKE 'B-%'"
                                    " GROUP BY PatientName"));
  hospitaldb::ExecQuery(query);
  QHash<QString, int> stored;
  while (query.next())
    stored.insert(query.value(0).toString(), query.value(1).toInt());
  return stored;
}

}  // namespace

class TestTwoPrograms : public QObject {
  Q_OBJECT

 private slots:
  void twoProgramsSaveConfirmAndListOneDate() {
    DatabaseFixture db;
    const QString names[] = {QStringLiteral("A"), QStringLiteral("B")};
    QProcess programs[2];
    for (int i = 0; i < 2; ++i) {
      programs[i].start(QStringLiteral(ORSCHED_CONCURRENT_CLIENT),
                        {db.environment().databasePath(), names[i], QString::number(kSeconds),
                         kDate.toString(Qt::ISODate)});
      QVERIFY(programs[i].waitForStarted());
    }
    QTest::qWait(kHeldFrom * 1000);
    {
      hospitaldb::WriteTransaction held(db.database());
      QTest::qWait(kHeldFor * 1000);
    }
    Outcome outcomes[2];
    for (int i = 0; i < 2; ++i) {
      QVERIFY(programs[i].waitForFinished((kSeconds + 60) * 1000));
      QCOMPARE(programs[i].exitCode(), 0);
      QCOMPARE(QString::fromUtf8(programs[i].readAllStandardError()).trimmed(), QString());
      outcomes[i] = Read(QString::fromUtf8(programs[i].readAllStandardOutput()));
    }

    const QHash<QString, int> stored = StoredPatients(db);
    int savedInAll = 0;
    for (int i = 0; i < 2; ++i) {
      const Outcome& o = outcomes[i];
      qInfo("program %s: %lld saves, %lld confirms, %d listings, %lld busy reports",
            qPrintable(names[i]), o.saved.size(), o.confirmed.size(), o.listings,
            o.failures.size());
      QVERIFY(!o.saved.isEmpty() && !o.confirmed.isEmpty() && o.listings > 0);
      QVERIFY2(!o.failures.isEmpty(), "the held file was met without a word");
      for (const QString& failure : o.failures)
        QVERIFY2(failure.startsWith(kBusy), qPrintable(failure));
      QVERIFY2(o.missing.isEmpty(), qPrintable(o.missing.join(u' ')));
      for (const QString& patient : o.saved)
        QVERIFY2(stored.value(patient) == 1, qPrintable(patient));
      for (const QString& patient : o.notSaved)
        QVERIFY2(!stored.contains(patient), qPrintable(patient));
      for (const QString& transNum : o.confirmed)
        QCOMPARE(db.request(transNum.toLongLong()).value(QStringLiteral("Status")).toString(),
                 QStringLiteral("C"));
      savedInAll += int(o.saved.size());
    }
    QCOMPARE(stored.size(), savedInAll);  // nothing stored that its program did not report
    QCOMPARE(db.countRequests(kDate), savedInAll);
  }
};

QTEST_MAIN(TestTwoPrograms)
#include "test_two_programs.moc"
