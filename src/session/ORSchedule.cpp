#include "session/ORSchedule.h"

#include "platform/Format.h"

namespace session {
namespace {

using C = RequestColumn;

// The status must stay in column 27 and the last field in column 31, where the server puts them.
static_assert(C::kStatus == 27 && C::kLast == 31 && C::kCount == 31);

constexpr StaffColumns kStaffColumns[kStaffRoles] = {
    {C::kSurgeonCode, C::kSurgeon},   {C::kSurgeon1Code, C::kSurgeon1},
    {C::kSurgeon2Code, C::kSurgeon2}, {C::kAnesCode, C::kAnesthesiologist},
    {C::kAnes2Code, C::kAnes2},       {C::kSNurseCode, C::kSNurse},
    {C::kSNurse2Code, C::kSNurse2},   {C::kCNurseCode, C::kCNurse},
    {C::kAsstDocCode, C::kAsstDoc},
};

}  // namespace

StaffColumns ColumnsOf(StaffRole role) {
  return kStaffColumns[role];
}

QString ORSchedule::TransNumText() const {
  return transNum ? QString::number(*transNum) : QString();
}

QDateTime ORSchedule::ExpectedEnd() const {
  return session::ExpectedEnd(operationAt, minutes);
}

QDateTime ExpectedEnd(const QDateTime& start, std::optional<int> minutes) {
  return minutes && start.isValid() ? start.addSecs(qint64(*minutes) * 60) : QDateTime();
}

QString UntilText(const QDateTime& start, const QDateTime& end) {
  if (!end.isValid()) return QString();
  const bool laterDay = start.isValid() && end.date() > start.date();
  return platform::Format(
      end, laterDay ? QStringLiteral("MM/DD/YYYY hh:mm AM/PM") : QStringLiteral("hh:mm AM/PM"));
}

ORSchedule RequestOf(const std::function<QString(RequestColumn::Column)>& text,
                     const TypedValues& typed) {
  ORSchedule r;
  r.transNum = typed.transNum;
  r.patientName = text(C::kPatientName);
  r.procedure = text(C::kProcedure);
  r.patientRoom = text(C::kPatientRoom);
  r.orRoomCode = text(C::kORRoomCode);
  r.remarks = text(C::kRemarks);
  r.operationAt = typed.operationAt;
  for (int role = 0; role < kStaffRoles; ++role)
    r.staff[role] = {text(kStaffColumns[role].code), text(kStaffColumns[role].name)};
  r.savedBy = text(C::kSavedBy);
  r.status = typed.status;
  r.confirmedBy = text(C::kConfirmedBy);
  r.confirmedAt = typed.confirmedAt;
  r.revokedBy = text(C::kRevokedBy);
  r.revokedAt = typed.revokedAt;
  r.minutes = typed.minutes;
  return r;
}

}  // namespace session
