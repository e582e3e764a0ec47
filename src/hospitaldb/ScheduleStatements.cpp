// The statements that list, save, confirm and revoke operation requests.
#include "hospitaldb/ScheduleStore.h"
#include "hospitaldb/ServerState.h"
#include "hospitaldb/SqlHelpers.h"
#include "hospitaldb/StatementHandlers.h"
#include "hospitaldb/TsqlDate.h"
#include "hospitaldb/TsqlText.h"
#include "platform/Errors.h"
#include "platform/WallClock.h"

namespace hospitaldb {
namespace {

QDateTime ReadDateOrFail(const QString& text) {
  const auto when = ReadTsqlDateTime(text);
  if (!when) throw platform::DatabaseError(DateConversionError());
  return *when;
}

// A transaction number as the procedures read their int parameter: blanks around it allowed.
qint64 ReadTransNum(const QString& text) {
  bool ok = false;
  const qint64 number = text.trimmed().toLongLong(&ok);
  if (!ok) throw platform::DatabaseError(NotANumberError(text));
  return number;
}

// Binds the bounds of the stored texts of one day: from its midnight up to, not including,
// "YYYY-MM-DD 24", which sorts after every time of that day. The next day's midnight would not
// do after 12/31/9999: its year has five digits and sorts before the day's own texts.
void BindDay(QSqlQuery& query, const QDate& day) {
  const QString midnight = StoredDateTimeText(platform::WallClock(day, QTime(0, 0)));
  query.addBindValue(midnight);
  query.addBindValue(midnight.left(10) + QStringLiteral(" 24"));
}

// Arguments of Save_OR_Schedule, numbered as the client sends them.
enum SaveArgument {
  kPatient,
  kOrRoom,
  kSurgeon,
  kAnes,
  kOperationDate,
  kSavedBy,
  kRemarks,
  kCNurse,
  kSNurse,
  kSNurse2,
  kSurgeon1,
  kSurgeon2,
  kAnes2,
  kProcedure,
  kPatientRoom,
  kSavedAt,
  kTransNum,
  kAsstDoc,
  kSaveArgumentCount
};

// The widths of the text columns a save writes, as the hospital's server has them.
struct SavedColumn {
  SaveArgument argument;
  const char* name;
  int width;
};
constexpr SavedColumn kSavedColumns[] = {
    {kPatient, "PatientName", 150},     {kOrRoom, "ORRoomID", 20},
    {kSurgeon, "SurgeonCode", 20},      {kAnes, "AnesCode", 20},
    {kSavedBy, "EncodedBy", 20},        {kRemarks, "Remarks", 4000},
    {kCNurse, "CNurseCode", 20},        {kSNurse, "SNurseCode", 20},
    {kSNurse2, "SNurse2Code", 20},      {kSurgeon1, "Surgeon1Code", 20},
    {kSurgeon2, "Surgeon2Code", 20},    {kAnes2, "Anes2Code", 20},
    {kProcedure, "ProcedureName", 400}, {kPatientRoom, "RoomNo", 30},
    {kAsstDoc, "AsstDocCode", 20},
};

// A value wider than its column fails the save, as on the server, rather than being stored cut.
void RefuseOverLongValues(const QStringList& a) {
  for (const SavedColumn& column : kSavedColumns) {
    if (a[column.argument].size() <= column.width) continue;
    throw platform::DatabaseError(
        QStringLiteral("String or binary data would be truncated in table "
                       "'SCHEDULE.dbo.tbORSchedule', column '%1'.")
            .arg(QLatin1String(column.name)));
  }
}

ScheduleRecord RecordFromSave(const StatePtr& state, const QStringList& a) {
  RefuseOverLongValues(a);
  ScheduleRecord r;
  r.patientName = a[kPatient];
  r.orRoomId = a[kOrRoom];
  r.surgeonCode = a[kSurgeon];
  r.anesCode = a[kAnes];
  // An empty text would be 1/1/1900 to SQL Server; a request needs a real date.
  if (a[kOperationDate].trimmed().isEmpty()) throw platform::DatabaseError(DateConversionError());
  r.operationDate = ReadDateOrFail(a[kOperationDate]);
  r.encodedBy = a[kSavedBy];
  r.remarks = a[kRemarks];
  r.cNurseCode = a[kCNurse];
  r.sNurseCode = a[kSNurse];
  r.sNurse2Code = a[kSNurse2];
  r.surgeon1Code = a[kSurgeon1];
  r.surgeon2Code = a[kSurgeon2];
  r.anes2Code = a[kAnes2];
  r.procedureName = a[kProcedure];
  r.roomNo = a[kPatientRoom];
  r.dateEncoded = a[kSavedAt].trimmed().isEmpty() ? state->now() : ReadDateOrFail(a[kSavedAt]);
  r.asstDocCode = a[kAsstDoc];
  return r;
}

// While the server enforces who acted, a save or a status change that records an employee is
// refused unless that employee is the one tbORLogin maps the server's login to (compared as
// the server compares codes), as the requests table's trigger refuses it on the server.
void RefuseAnotherEmployee(const StatePtr& state, const QString& code) {
  const QSqlDatabase db = state->database();
  if (TsqlEquals(code, u"") || !EnforcesLoginEmployee(db)) return;
  if (ReadScalar(
          db,
          QStringLiteral("SELECT EXISTS (SELECT 1 FROM tbORLogin"
                         " WHERE LoginName = ? COLLATE TSQL AND EmployeeID = ? COLLATE TSQL)"),
          {state->login, code})
          .toBool())
    return;
  throw platform::DatabaseError(
      QStringLiteral("The login %1 may not act as employee %2: SCHEDULE..tbORLogin maps it to "
                     "another employee or to none. Nothing was changed.")
          .arg(state->login, code.left(100)));
}

}  // namespace

QSqlQuery SelectScheduleListing(const QSqlDatabase& db, const QDate& day) {
  QSqlQuery query =
      PrepareQuery(db, QStringLiteral("SELECT %1 FROM tbORSchedule"
                                      " WHERE OperationDate >= ? AND OperationDate < ?"
                                      " ORDER BY OperationDate, TransNum")
                           .arg(ScheduleListingFields().join(u',')));
  BindDay(query, day);
  ExecQuery(query);
  return query;
}

// The listing's columns that hold dates.
std::vector<int> ListingDateColumns() {
  const auto& fields = ScheduleListingFields();
  return {static_cast<int>(fields.indexOf(QStringLiteral("OperationDate"))),
          static_cast<int>(fields.indexOf(QStringLiteral("DateConfirmed"))),
          static_cast<int>(fields.indexOf(QStringLiteral("DateRevoked")))};
}

std::unique_ptr<platform::Recordset> ListSchedules(const StatePtr& state,
                                                   const QStringList& values) {
  const QDate day = ReadDateOrFail(values[0]).date();
  return MakeRecordset(state, SelectScheduleListing(state->database(), day), ListingDateColumns());
}

// A new request when the transaction number is empty, else an update of that request.
std::unique_ptr<platform::Recordset> SaveSchedule(const StatePtr& state,
                                                  const QStringList& values) {
  Q_ASSERT(values.size() == kSaveArgumentCount);
  ScheduleRecord record = RecordFromSave(state, values);
  const QString transNumText = values[kTransNum];
  const bool isNew = transNumText.trimmed().isEmpty();
  const qint64 transNum = isNew ? 0 : ReadTransNum(transNumText);

  const QSqlDatabase db = state->database();
  WriteTransaction transaction(db);
  RefuseAnotherEmployee(state, values[kSavedBy]);
  NameResolver(db).resolve(record);
  ScheduleWriter writer(db);
  if (isNew)
    writer.insert(record);
  else if (!writer.update(transNum, record))
    throw platform::DatabaseError(UnknownTransactionError(transNumText.trimmed()));
  transaction.Commit();
  return nullptr;
}

// values: "C" or "R", the employee code, the transaction number.
std::unique_ptr<platform::Recordset> UpdateScheduleStatus(const StatePtr& state,
                                                          const QStringList& values) {
  const QString status = values[0];
  const bool confirm = TsqlEquals(status, u"C");
  if (!confirm && !TsqlEquals(status, u"R"))
    throw platform::DatabaseError(
        QStringLiteral("Unknown schedule status '%1': C confirms, R revokes.").arg(status));
  const QString employeeCode = values[1];
  const qint64 transNum = ReadTransNum(values[2]);

  const QSqlDatabase db = state->database();
  WriteTransaction transaction(db);
  RefuseAnotherEmployee(state, employeeCode);
  QString name = NameResolver(db).staffName(employeeCode);
  if (name.isEmpty()) name = employeeCode;
  const QString sql = confirm ? QStringLiteral(
                                    "UPDATE tbORSchedule SET Status = 'C', ConfirmedByCode = ?,"
                                    " ConfirmedBy = ?, DateConfirmed = ? WHERE TransNum = ?")
                              : QStringLiteral(
                                    "UPDATE tbORSchedule SET Status = 'R', RevokedByCode = ?,"
                                    " RevokedBy = ?, DateRevoked = ? WHERE TransNum = ?");
  QSqlQuery update = PrepareQuery(db, sql);
  update.addBindValue(employeeCode);
  update.addBindValue(name);
  update.addBindValue(StoredDateTimeText(state->now()));
  update.addBindValue(transNum);
  ExecQuery(update);
  const bool changed = update.numRowsAffected() > 0;
  update.finish();
  if (!changed) throw platform::DatabaseError(UnknownTransactionError(values[2].trimmed()));
  transaction.Commit();
  return nullptr;
}

// The confirmed operations of the server's current day, by time. A status counts as confirmed
// as the client reads it: "C" once blanks around it are removed.
std::unique_ptr<platform::Recordset> ConfirmedToday(const StatePtr& state, const QStringList&) {
  QSqlQuery query = PrepareQuery(
      state->database(),
      QStringLiteral(
          "SELECT board_time(s.OperationDate) AS Time, s.Surgeon, s.Anesthesiologist,"
          " s.PatientName AS Patientname, s.RoomNo AS Room, s.ProcedureName AS Procedurename,"
          " s.AsstDoctor, s.CNurse, s.SNurse, ifnull(r.RoomName, '') AS ORRoom, s.Status,"
          " s.TransNum AS Transnum"
          " FROM tbORSchedule s LEFT JOIN tbOrRoom r ON r.RoomID = s.ORRoomID"
          " WHERE s.OperationDate >= ? AND s.OperationDate < ? AND trim(s.Status) = 'C'"
          " ORDER BY s.OperationDate, s.TransNum"));
  BindDay(query, state->now().date());
  ExecQuery(query);
  return MakeRecordset(state, std::move(query));
}

// One request by its transaction number, in the listing's columns and then its duration: no row
// when none has it. The lock flag asks nothing more here: a transaction of this database holds
// the whole file.
std::unique_ptr<platform::Recordset> ScheduleByNum(const StatePtr& state,
                                                   const QStringList& values) {
  QSqlQuery query = PrepareQuery(
      state->database(), QStringLiteral("SELECT %1, (SELECT d.Minutes FROM tbORScheduleDuration d"
                                        " WHERE d.TransNum = tbORSchedule.TransNum) AS Minutes"
                                        " FROM tbORSchedule WHERE TransNum = ?")
                             .arg(ScheduleListingFields().join(u',')));
  query.addBindValue(ReadTransNum(values[0]));
  ExecQuery(query);
  return MakeRecordset(state, std::move(query), ListingDateColumns());
}

// The expected durations of one date's requests, by start: TransNum, OperationDate, Minutes.
std::unique_ptr<platform::Recordset> ListDurations(const StatePtr& state,
                                                   const QStringList& values) {
  QSqlQuery query = PrepareQuery(
      state->database(),
      QStringLiteral("SELECT d.TransNum, s.OperationDate, d.Minutes FROM tbORScheduleDuration d"
                     " JOIN tbORSchedule s ON s.TransNum = d.TransNum"
                     " WHERE s.OperationDate >= ? AND s.OperationDate < ?"
                     " ORDER BY s.OperationDate, d.TransNum"));
  BindDay(query, ReadDateOrFail(values[0]).date());
  ExecQuery(query);
  return MakeRecordset(state, std::move(query), {1});
}

// values: the transaction number, the minutes ('' clears the duration). A request's duration is
// a whole number of minutes from 5 to 1440, as the table's check has it.
std::unique_ptr<platform::Recordset> SetDuration(const StatePtr& state, const QStringList& values) {
  const qint64 transNum = ReadTransNum(values[0]);
  const QString minutesText = values[1].trimmed();
  bool number = minutesText.isEmpty();
  const int minutes = number ? 0 : minutesText.toInt(&number);
  if (!number || (!minutesText.isEmpty() && (minutes < 5 || minutes > 1440)))
    throw platform::DatabaseError(DurationError(values[1]));
  const QSqlDatabase db = state->database();
  WriteTransaction transaction(db);
  if (!ReadScalar(db,
                  QStringLiteral("SELECT EXISTS (SELECT 1 FROM tbORSchedule WHERE TransNum = ?)"),
                  {transNum})
           .toBool())
    throw platform::DatabaseError(UnknownTransactionError(values[0].trimmed()));
  if (minutesText.isEmpty())
    ExecStatement(db, QStringLiteral("DELETE FROM tbORScheduleDuration WHERE TransNum = ?"),
                  {transNum});
  else
    ExecStatement(db,
                  QStringLiteral("INSERT OR REPLACE INTO tbORScheduleDuration (TransNum, Minutes)"
                                 " VALUES (?, ?)"),
                  {transNum, minutes});
  transaction.Commit();
  return nullptr;
}

}  // namespace hospitaldb
