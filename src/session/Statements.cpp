#include "session/Statements.h"

#include "platform/SqlQuote.h"
#include "session/ORSchedule.h"

namespace session {
namespace {

QString Quoted(const QString& value) {
  return platform::SqlLiteral(value);
}

const QString kStaffSelect = QStringLiteral(
    "select DISTINCT employeeid AS CODE,isnull(lastname,'') + ' ,' +isnull(firstname,'') + ' ' "
    "+ isnull(middlename,'') AS [OR STAFF] from PASSWORD..tbpasswordmain AS tbpasswordmain "
    "where originaldepartment = '29'");

}  // namespace

QString ServerClockSql() {
  return QStringLiteral("select getdate() as TDate");
}

QString ScheduleListSql(const QString& dateText) {
  return QStringLiteral("SCHEDULE..sp_GetORSchedule ") + Quoted(dateText);
}

QString RoomListSql() {
  return QStringLiteral("SCHEDULE..sp_List_ORRooms");
}

QString RoomNameSql(const QString& roomCode) {
  return QStringLiteral("select RoomID, RoomName from schedule..tbOrRoom where roomid = ") +
         Quoted(roomCode.trimmed());
}

QString RoomCodeSql(const QString& roomName) {
  return QStringLiteral("SCHEDULE..sp_Get_ORRoom ") + Quoted(roomName.trimmed());
}

QString SaveScheduleSql(const ORSchedule& r, const QString& savedBy, const QString& savedAt) {
  const QString beforeSavedAt[] = {r.patientName,   r.orRoomCode,  r.surgeonCode,  r.anesCode,
                                   r.operationDate, savedBy,       r.remarks,      r.cNurseCode,
                                   r.sNurseCode,    r.sNurse2Code, r.surgeon1Code, r.surgeon2Code,
                                   r.anes2Code,     r.procedure,   r.patientRoom};
  QString sql = QStringLiteral("SCHEDULE..Save_OR_Schedule ");
  for (const QString& value : beforeSavedAt)
    sql += Quoted(value) + u',';
  // The server's text has a blank before the time of saving, and only there.
  return sql + u' ' + Quoted(savedAt) + u',' + Quoted(r.transNum) + u',' + Quoted(r.asstDocCode);
}

QString UpdateScheduleSql(const QString& statusLetter, const QString& employeeCode,
                          const QString& transNum) {
  return QStringLiteral("Schedule..sp_UpdateSchedules ") + Quoted(statusLetter) + u',' +
         Quoted(employeeCode) + QStringLiteral(", ") + Quoted(transNum.trimmed());
}

QString AllOrStaffSql() {
  return kStaffSelect + QStringLiteral(" order by [OR STAFF]");
}

QString OrStaffByKeySql(const QString& searchKey) {
  return kStaffSelect + QStringLiteral("  and (lastname like ") +
         Quoted(searchKey.trimmed() + u'%') + QStringLiteral(" or employeeid = ") +
         Quoted(searchKey) + QStringLiteral(") order by [OR STAFF]");
}

QString ConfirmedListSql() {
  return QStringLiteral("Schedule..sp_List_Of_ConfirmedSchedules_ORScheduler");
}

}  // namespace session
