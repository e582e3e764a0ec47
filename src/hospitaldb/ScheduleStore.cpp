#include "hospitaldb/ScheduleStore.h"

#include "hospitaldb/SqlHelpers.h"
#include "hospitaldb/TsqlDate.h"
#include "platform/WallClock.h"

namespace hospitaldb {
namespace {

// The columns a save writes, in the order the binds below follow.
const QStringList& SavedColumns() {
  static const QStringList columns = {
      QStringLiteral("PatientName"),   QStringLiteral("ProcedureName"),
      QStringLiteral("RoomNo"),        QStringLiteral("ORRoomID"),
      QStringLiteral("SurgeonCode"),   QStringLiteral("Surgeon"),
      QStringLiteral("AnesCode"),      QStringLiteral("Anesthesiologist"),
      QStringLiteral("OperationDate"), QStringLiteral("Remarks"),
      QStringLiteral("CNurseCode"),    QStringLiteral("CNurse"),
      QStringLiteral("SNurseCode"),    QStringLiteral("SNurse"),
      QStringLiteral("SNurse2Code"),   QStringLiteral("SNurse2"),
      QStringLiteral("Surgeon1Code"),  QStringLiteral("AsstSurgeon1"),
      QStringLiteral("Surgeon2Code"),  QStringLiteral("AsstSurgeon2"),
      QStringLiteral("Anes2Code"),     QStringLiteral("AsstAnesthesiologist"),
      QStringLiteral("AsstDocCode"),   QStringLiteral("AsstDoctor"),
  };
  return columns;
}

const QStringList& StatusColumns() {
  static const QStringList columns = {
      QStringLiteral("EncodedBy"),     QStringLiteral("DateEncoded"),
      QStringLiteral("Status"),        QStringLiteral("ConfirmedByCode"),
      QStringLiteral("ConfirmedBy"),   QStringLiteral("DateConfirmed"),
      QStringLiteral("RevokedByCode"), QStringLiteral("RevokedBy"),
      QStringLiteral("DateRevoked"),
  };
  return columns;
}

// Qt SQL binds a null QString as SQL null; the request's text columns hold empty text instead.
QString NotNull(const QString& text) {
  return text.isNull() ? QStringLiteral("") : text;
}

void BindSaved(QSqlQuery& query, const ScheduleRecord& r) {
  for (const QString& value : {r.patientName, r.procedureName, r.roomNo, r.orRoomId, r.surgeonCode,
                               r.surgeon, r.anesCode, r.anesthesiologist})
    query.addBindValue(NotNull(value));
  query.addBindValue(StoredDate(r.operationDate));
  for (const QString& value :
       {r.remarks, r.cNurseCode, r.cNurse, r.sNurseCode, r.sNurse, r.sNurse2Code, r.sNurse2,
        r.surgeon1Code, r.asstSurgeon1, r.surgeon2Code, r.asstSurgeon2, r.anes2Code,
        r.asstAnesthesiologist, r.asstDocCode, r.asstDoctor})
    query.addBindValue(NotNull(value));
}

void BindStatus(QSqlQuery& query, const ScheduleRecord& r) {
  query.addBindValue(NotNull(r.encodedBy));
  query.addBindValue(StoredDate(r.dateEncoded));
  query.addBindValue(NotNull(r.status));
  // Who confirmed or revoked stays null until someone does.
  query.addBindValue(r.confirmedByCode);
  query.addBindValue(r.confirmedBy);
  query.addBindValue(StoredDate(r.dateConfirmed));
  query.addBindValue(r.revokedByCode);
  query.addBindValue(r.revokedBy);
  query.addBindValue(StoredDate(r.dateRevoked));
}

QString InsertSql() {
  const QStringList columns = SavedColumns() + StatusColumns();
  QStringList marks;
  for (qsizetype i = 0; i < columns.size(); ++i)
    marks << QStringLiteral("?");
  return QStringLiteral("INSERT INTO tbORSchedule (%1) VALUES (%2)")
      .arg(columns.join(u','), marks.join(u','));
}

QString UpdateSql() {
  QStringList sets;
  for (const QString& column : SavedColumns())
    sets << column + QStringLiteral(" = ?");
  sets << QStringLiteral("UpdatedBy = ?") << QStringLiteral("DateUpdated = ?");
  return QStringLiteral("UPDATE tbORSchedule SET %1 WHERE TransNum = ?").arg(sets.join(u','));
}

}  // namespace

const QStringList& ScheduleListingFields() {
  static const QStringList fields = {
      QStringLiteral("PatientName"),
      QStringLiteral("ProcedureName"),
      QStringLiteral("RoomNo"),
      QStringLiteral("ORRoomID"),
      QStringLiteral("SurgeonCode"),
      QStringLiteral("Surgeon"),
      QStringLiteral("AnesCode"),
      QStringLiteral("Anesthesiologist"),
      QStringLiteral("OperationDate"),
      QStringLiteral("Remarks"),
      QStringLiteral("TransNum"),
      QStringLiteral("CNurseCode"),
      QStringLiteral("CNurse"),
      QStringLiteral("SNurseCode"),
      QStringLiteral("SNurse"),
      QStringLiteral("SNurse2Code"),
      QStringLiteral("SNurse2"),
      QStringLiteral("Surgeon1Code"),
      QStringLiteral("AsstSurgeon1"),
      QStringLiteral("Surgeon2Code"),
      QStringLiteral("AsstSurgeon2"),
      QStringLiteral("Anes2Code"),
      QStringLiteral("AsstAnesthesiologist"),
      QStringLiteral("AsstDocCode"),
      QStringLiteral("AsstDoctor"),
      QStringLiteral("EncodedBy"),
      QStringLiteral("Status"),
      QStringLiteral("ConfirmedBy"),
      QStringLiteral("DateConfirmed"),
      QStringLiteral("RevokedBy"),
      QStringLiteral("DateRevoked"),
  };
  return fields;
}

QString DoctorDisplayName(const QString& lastName, const QString& firstName) {
  return lastName + QStringLiteral(" ,") + firstName;
}

QString StaffDisplayName(const QString& lastName, const QString& firstName,
                         const QString& middleName) {
  return lastName + QStringLiteral(" ,") + firstName + u' ' + middleName;
}

QVariant StoredDate(const QDateTime& when) {
  return platform::AsWallClock(when).isValid() ? QVariant(StoredDateTimeText(when)) : QVariant();
}

NameResolver::NameResolver(const QSqlDatabase& db)
    : doctor_(PrepareQuery(db, QStringLiteral("SELECT LastName, FirstName FROM tbDoctor"
                                              " WHERE DoctorCode = ? COLLATE TSQL"))),
      staff_(PrepareQuery(db, QStringLiteral("SELECT ifnull(lastname, ''), ifnull(firstname, ''),"
                                             " ifnull(middlename, '') FROM tbpasswordmain"
                                             " WHERE employeeid = ? COLLATE TSQL"))) {}

QString NameResolver::doctorName(const QString& code) {
  if (code.isEmpty()) return QString();
  doctor_.addBindValue(code);
  ExecQuery(doctor_);
  QString name;
  if (doctor_.next())
    name = DoctorDisplayName(doctor_.value(0).toString(), doctor_.value(1).toString());
  doctor_.finish();
  return name;
}

QString NameResolver::staffName(const QString& code) {
  if (code.isEmpty()) return QString();
  staff_.addBindValue(code);
  ExecQuery(staff_);
  QString name;
  if (staff_.next())
    name = StaffDisplayName(staff_.value(0).toString(), staff_.value(1).toString(),
                            staff_.value(2).toString());
  staff_.finish();
  return name;
}

void NameResolver::resolve(ScheduleRecord& r) {
  r.surgeon = doctorName(r.surgeonCode);
  r.anesthesiologist = doctorName(r.anesCode);
  r.asstSurgeon1 = doctorName(r.surgeon1Code);
  r.asstSurgeon2 = doctorName(r.surgeon2Code);
  r.asstAnesthesiologist = doctorName(r.anes2Code);
  r.asstDoctor = doctorName(r.asstDocCode);
  r.cNurse = staffName(r.cNurseCode);
  r.sNurse = staffName(r.sNurseCode);
  r.sNurse2 = staffName(r.sNurse2Code);
}

ScheduleWriter::ScheduleWriter(const QSqlDatabase& db)
    : insert_(PrepareQuery(db, InsertSql())), update_(PrepareQuery(db, UpdateSql())) {}

qint64 ScheduleWriter::insert(const ScheduleRecord& record) {
  BindSaved(insert_, record);
  BindStatus(insert_, record);
  ExecQuery(insert_);
  const qint64 transNum = insert_.lastInsertId().toLongLong();
  insert_.finish();
  return transNum;
}

bool ScheduleWriter::update(qint64 transNum, const ScheduleRecord& record) {
  BindSaved(update_, record);
  update_.addBindValue(record.encodedBy);
  update_.addBindValue(StoredDate(record.dateEncoded));
  update_.addBindValue(transNum);
  ExecQuery(update_);
  const bool changed = update_.numRowsAffected() > 0;
  update_.finish();
  return changed;
}

}  // namespace hospitaldb
