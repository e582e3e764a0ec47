#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace hospitaldb {

// One operation request as tbORSchedule stores it. Names stand beside the codes they were
// resolved from when the request was saved.
struct ScheduleRecord {
  QString patientName, procedureName, roomNo, orRoomId;
  QString surgeonCode, surgeon, anesCode, anesthesiologist;
  QDateTime operationDate;
  QString remarks;
  QString cNurseCode, cNurse, sNurseCode, sNurse, sNurse2Code, sNurse2;
  QString surgeon1Code, asstSurgeon1, surgeon2Code, asstSurgeon2;
  QString anes2Code, asstAnesthesiologist, asstDocCode, asstDoctor;
  QString encodedBy;
  QDateTime dateEncoded;
  QString status = QStringLiteral("P");
  QString confirmedByCode, confirmedBy;
  QDateTime dateConfirmed;
  QString revokedByCode, revokedBy;
  QDateTime dateRevoked;
};

// The 31 fields of the request listing, in the client's column order (the grid shows these
// names as its header).
const QStringList& ScheduleListingFields();
// The executed, forward-only query of the listing of `day`: its requests by start and
// transaction number, the fields as stored (dates as ISO text).
QSqlQuery SelectScheduleListing(const QSqlDatabase& db, const QDate& day);

// Display names as the hospital shows them: doctors "LAST ,FIRST", staff "LAST ,FIRST MIDDLE"
// (a blank before the comma, none after; staff names end in a blank without a middle name).
QString DoctorDisplayName(const QString& lastName, const QString& firstName);
QString StaffDisplayName(const QString& lastName, const QString& firstName,
                         const QString& middleName);

// Looks names up by code, comparing as SQL Server's '=' does (case and trailing blanks
// ignored). An empty or unknown code gives an empty name.
class NameResolver {
 public:
  explicit NameResolver(const QSqlDatabase& db);
  QString doctorName(const QString& code);
  QString staffName(const QString& code);
  // Fills every name of the record from its codes.
  void resolve(ScheduleRecord& record);

 private:
  QSqlQuery doctor_, staff_;
};

// Inserts and updates requests with statements prepared once (bulk inserts reuse them).
class ScheduleWriter {
 public:
  explicit ScheduleWriter(const QSqlDatabase& db);
  // Stores the record as it is and returns its new transaction number.
  qint64 insert(const ScheduleRecord& record);
  // Replaces what a save carries, leaving who first encoded it and the status fields; the
  // record's encodedBy/dateEncoded are kept as who saved this change and when. False when the
  // number does not exist.
  bool update(qint64 transNum, const ScheduleRecord& record);

 private:
  QSqlQuery insert_, update_;
};

// Null for an invalid date, else the stored text.
QVariant StoredDate(const QDateTime& when);

// The executed, forward-only query of a find: the requests with this transaction number, or
// whose patient's name begins with the text (two characters at least), newest first, one more
// than the client lists.
QSqlQuery SelectFoundSchedules(const QSqlDatabase& db, const QString& searchText);

}  // namespace hospitaldb
