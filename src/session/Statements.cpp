#include "session/Statements.h"

#include "hospitaldb/ClientStatements.h"
#include "platform/Format.h"
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

// The operation's date as month/day/year, one blank, its time on the 12-hour clock.
QString OperationText(const QDateTime& when) {
  if (!when.isValid()) return QString();
  return platform::ShortDateText(when.date()) + u' ' +
         platform::Format(when, QStringLiteral("hh:mm:ss AM/PM"));
}

QString SaveScheduleSql(const ORSchedule& r, const QString& savedBy, const QDateTime& savedAt) {
  const auto code = [&](StaffRole role) { return r.staff[role].code; };
  const QString values[] = {r.patientName,
                            r.orRoomCode,
                            code(kSurgeon),
                            code(kAnes),
                            OperationText(r.operationAt),
                            savedBy,
                            r.remarks,
                            code(kCNurse),
                            code(kSNurse),
                            code(kSNurse2),
                            code(kSurgeon1),
                            code(kSurgeon2),
                            code(kAnes2),
                            r.procedure,
                            r.patientRoom,
                            savedAt.isValid() ? platform::DefaultText(savedAt) : QString(),
                            r.TransNumText(),
                            code(kAsstDoc)};
  QStringList literals;
  for (const QString& value : values)
    literals << Quoted(value);
  return FillShape(Shape::kSaveSchedule, literals);
}

QString UpdateScheduleSql(RequestStatus status, const QString& employeeCode, qint64 transNum) {
  const QString letter(QChar::fromLatin1(char(status)));
  return FillShape(Shape::kUpdateSchedule,
                   {Quoted(letter), Quoted(employeeCode), Quoted(QString::number(transNum))});
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

QString ScheduleByNumSql(qint64 transNum, ByNum lock) {
  const QString held = lock == ByNum::Held ? QStringLiteral("UPDLOCK") : QString();
  return FillShape(Shape::kScheduleByNum, {Quoted(QString::number(transNum)), Quoted(held)});
}

QString ScheduleDurationsSql(const QString& dateText) {
  return FillShape(Shape::kScheduleDurations, {Quoted(dateText)});
}

QString SetDurationSql(qint64 transNum, std::optional<int> minutes) {
  return FillShape(Shape::kSetDuration, {Quoted(QString::number(transNum)),
                                         Quoted(minutes ? QString::number(*minutes) : QString())});
}

QString BeginTransactionSql() {
  return QString::fromLatin1(Shape::kBeginTransaction);
}

QString CommitTransactionSql() {
  return QString::fromLatin1(Shape::kCommitTransaction);
}

QString RollbackTransactionSql() {
  return QString::fromLatin1(Shape::kRollbackTransaction);
}

}  // namespace session
