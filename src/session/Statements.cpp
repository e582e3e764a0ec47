#include "session/Statements.h"

#include "hospitaldb/ClientStatements.h"
#include "platform/SqlQuote.h"
#include "session/ORSchedule.h"

namespace session {
namespace {

namespace Shape = hospitaldb::ClientStatement;
using hospitaldb::FillShape;

QString Quoted(const QString& value) {
  return platform::SqlLiteral(value);
}

}  // namespace

QString ServerClockSql() {
  return QString::fromLatin1(Shape::kServerClock);
}

QString ScheduleListSql(const QString& dateText) {
  return FillShape(Shape::kScheduleList, {Quoted(dateText)});
}

QString RoomListSql() {
  return QString::fromLatin1(Shape::kRoomList);
}

QString RoomNameSql(const QString& roomCode) {
  return FillShape(Shape::kRoomName, {Quoted(roomCode.trimmed())});
}

QString RoomCodeSql(const QString& roomName) {
  return FillShape(Shape::kRoomCode, {Quoted(roomName.trimmed())});
}

QString SaveScheduleSql(const ORSchedule& r, const QString& savedBy, const QString& savedAt) {
  const QString values[] = {
      r.patientName, r.orRoomCode, r.surgeonCode, r.anesCode,    r.operationDate, savedBy,
      r.remarks,     r.cNurseCode, r.sNurseCode,  r.sNurse2Code, r.surgeon1Code,  r.surgeon2Code,
      r.anes2Code,   r.procedure,  r.patientRoom, savedAt,       r.transNum,      r.asstDocCode};
  QStringList literals;
  for (const QString& value : values)
    literals << Quoted(value);
  return FillShape(Shape::kSaveSchedule, literals);
}

QString UpdateScheduleSql(const QString& statusLetter, const QString& employeeCode,
                          const QString& transNum) {
  return FillShape(Shape::kUpdateSchedule,
                   {Quoted(statusLetter), Quoted(employeeCode), Quoted(transNum.trimmed())});
}

QString AllOrStaffSql() {
  return QString::fromLatin1(Shape::kAllOrStaff);
}

QString OrStaffByKeySql(const QString& searchKey) {
  return FillShape(Shape::kOrStaffByKey, {Quoted(searchKey.trimmed() + u'%'), Quoted(searchKey)});
}

QString ConfirmedListSql() {
  return QString::fromLatin1(Shape::kConfirmedList);
}

QString FindRequestsSql(const QString& searchText) {
  return FillShape(Shape::kFindSchedules, {Quoted(searchText.trimmed())});
}

QString ScheduleByNumSql(const QString& transNum) {
  return FillShape(Shape::kScheduleByNum, {Quoted(transNum.trimmed())});
}

}  // namespace session
