#include "support/DatabaseFixture.h"
#include "platform/WallClock.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <stdexcept>

#include "hospitaldb/SqlHelpers.h"
#include "hospitaldb/TsqlDate.h"
#include "platform/Connection.h"

namespace testsupport {
namespace {

QSqlQuery Run(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
  QSqlQuery query = hospitaldb::PrepareQuery(db, sql);
  for (const QVariant& value : values)
    query.addBindValue(value);
  hospitaldb::ExecQuery(query);
  return query;
}

QVariantList DayBounds(const QDate& date) {
  return {hospitaldb::StoredDateTimeText(platform::WallClock(date, QTime(0, 0))),
          hospitaldb::StoredDateTimeText(platform::WallClock(date.addDays(1), QTime(0, 0)))};
}

}  // namespace

QDateTime DatabaseFixture::DefaultNow() {
  return platform::WallClock(QDate(2026, 12, 8), QTime(10, 0));
}

DatabaseFixture::DatabaseFixture(const QDateTime& now, Seed seed)
    : server_(std::make_unique<hospitaldb::EmbeddedServer>(environment_.databasePath())) {
  server_->SetNow(now);
  if (seed == Seed::Demo)
    server_->SeedDemoData();
  else  // marked as seeded, so that the program's start-up leaves it empty
    exec(QStringLiteral("UPDATE tbServerInfo SET DemoSeededOn = ?"),
         {hospitaldb::StoredDateTimeText(now)});
  connection_ = server_->Connect();
}

DatabaseFixture::~DatabaseFixture() = default;

DatabaseFixture::Result DatabaseFixture::open(const QString& sql) const {
  Result result;
  const std::unique_ptr<platform::Recordset> rows = connection_->Open(sql);
  result.fields = rows->FieldNames();
  for (; !rows->AtEnd(); rows->MoveNext()) {
    QVariantList row;
    for (int i = 0; i < rows->FieldCount(); ++i)
      row << rows->Value(i);
    result.rows << row;
  }
  rows->Close();
  return result;
}

int DatabaseFixture::countRequests(const QDate& date) const {
  QSqlQuery query = Run(database(),
                        QStringLiteral("SELECT count(*) FROM tbORSchedule"
                                       " WHERE OperationDate >= ? AND OperationDate < ?"),
                        DayBounds(date));
  return query.next() ? query.value(0).toInt() : 0;
}

QList<qint64> DatabaseFixture::transNumsOn(const QDate& date) const {
  QSqlQuery query = Run(database(),
                        QStringLiteral("SELECT TransNum FROM tbORSchedule"
                                       " WHERE OperationDate >= ? AND OperationDate < ?"
                                       " ORDER BY OperationDate, TransNum"),
                        DayBounds(date));
  QList<qint64> numbers;
  while (query.next())
    numbers << query.value(0).toLongLong();
  return numbers;
}

qint64 DatabaseFixture::lastTransNum() const {
  QSqlQuery query = Run(database(), QStringLiteral("SELECT max(TransNum) FROM tbORSchedule"), {});
  return query.next() ? query.value(0).toLongLong() : 0;
}

QVariantMap DatabaseFixture::request(qint64 transNum) const {
  QSqlQuery query =
      Run(database(), QStringLiteral("SELECT * FROM tbORSchedule WHERE TransNum = ?"), {transNum});
  QVariantMap row;
  if (query.next()) {
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
      row.insert(record.fieldName(i), query.value(i));
  }
  return row;
}

hospitaldb::ScheduleRecord DatabaseFixture::sampleRequest(const QDateTime& when) const {
  hospitaldb::ScheduleRecord r;
  r.patientName = QStringLiteral("DOE, JOHN A.");
  r.procedureName = QStringLiteral("APPENDECTOMY");
  r.roomNo = QStringLiteral("301-A");
  r.orRoomId = QStringLiteral("OR01");
  r.surgeonCode = QStringLiteral("D1001");
  r.anesCode = QStringLiteral("D1002");
  r.sNurseCode = QStringLiteral("E1002");
  r.cNurseCode = QStringLiteral("E1003");
  r.operationDate = when;
  r.encodedBy = hospitaldb::DemoEmployeeCode();
  r.dateEncoded = server_->Now();
  return r;
}

qint64 DatabaseFixture::insertRequest(hospitaldb::ScheduleRecord record, bool resolveNames) {
  if (resolveNames) {
    hospitaldb::NameResolver names(database());
    names.resolve(record);
    if (record.confirmedBy.isEmpty()) record.confirmedBy = names.staffName(record.confirmedByCode);
    if (record.revokedBy.isEmpty()) record.revokedBy = names.staffName(record.revokedByCode);
  }
  return hospitaldb::ScheduleWriter(database()).insert(record);
}

void DatabaseFixture::exec(const QString& sql, const QVariantList& values) {
  Run(database(), sql, values).finish();
}

}  // namespace testsupport
