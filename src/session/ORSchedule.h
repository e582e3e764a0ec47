#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "session/RequestStatus.h"

namespace session {

// The columns of a request as the request list shows it. The grid binds the result of
// sp_GetORSchedule from column 1 on: column 0 is the grid's selector column and holds no data,
// so the 31 fields of the result are grid columns 1 to 31.
struct RequestColumn {
  enum Column : int {
    kPatientName = 1,
    kProcedure,
    kPatientRoom,  // the patient's ward room
    kORRoomCode,
    kSurgeonCode,
    kSurgeon,
    kAnesCode,
    kAnesthesiologist,
    kOperationDate,  // date and time of the operation
    kRemarks,
    kTransNum,
    kCNurseCode,
    kCNurse,
    kSNurseCode,
    kSNurse,
    kSNurse2Code,
    kSNurse2,
    kSurgeon1Code,
    kSurgeon1,
    kSurgeon2Code,
    kSurgeon2,
    kAnes2Code,
    kAnes2,
    kAsstDocCode,
    kAsstDoc,
    kSavedBy,  // the employee code of whoever saved the request
    kStatus,
    kConfirmedBy,
    kDateConfirmed,
    kRevokedBy,
    kDateRevoked,
  };
  static constexpr int kFirst = kPatientName;
  static constexpr int kLast = kDateRevoked;
  static constexpr int kCount = kLast - kFirst + 1;
};

// The members of an operation's team, in the order of the form.
enum StaffRole {
  kSurgeon,
  kSurgeon1,
  kSurgeon2,
  kAnes,
  kAnes2,
  kSNurse,
  kSNurse2,
  kCNurse,
  kAsstDoc,
  kStaffRoles
};

// An operation's expected duration, in whole minutes: from 5 minutes to 24 hours, as the
// project's own table beside the hospital's takes it.
inline constexpr int kShortestMinutes = 5;
inline constexpr int kLongestMinutes = 24 * 60;

// One member of the team: the staff code a save sends, and the name the lists show.
struct StaffMember {
  QString code;
  QString name;
};

// The list's columns of a member of the team.
struct StaffColumns {
  RequestColumn::Column code, name;
};
StaffColumns ColumnsOf(StaffRole role);

// One operation request, as the program works with it: each value typed as the server gave it,
// read once where the request comes from (a listing or a record), and made into text only to
// be shown or to be sent in a statement.
struct ORSchedule {
  std::optional<qint64> transNum;  // none for a request not yet saved
  QString patientName;
  QString procedure;
  QString patientRoom;
  QString orRoomCode;
  QString remarks;
  QDateTime operationAt;  // null where the server gave no date and time
  std::array<StaffMember, kStaffRoles> staff;
  QString savedBy;  // employee code
  RequestStatus status = RequestStatus::Pending;
  QString confirmedBy, revokedBy;  // names
  QDateTime confirmedAt, revokedAt;
  // The expected duration in minutes, kept beside the hospital's table; none where unknown.
  std::optional<int> minutes;

  // The transaction number as the server writes it; empty for a request not yet saved.
  QString TransNumText() const;
  // When the operation is expected to end: its start and its duration; null where either is
  // unknown.
  QDateTime ExpectedEnd() const;
};

// When an operation that starts at `start` and takes `minutes` is expected to end; null where
// either is unknown.
QDateTime ExpectedEnd(const QDateTime& start, std::optional<int> minutes);

// An operation's expected end as the lists show it, beside its start: the time of day, "09:30 AM",
// with the date before it where it falls on a later day ("12/09/2026 01:00 AM"); empty where it
// is not known.
QString UntilText(const QDateTime& start, const QDateTime& end);

// The values of a request that are not text, as read from the server.
struct TypedValues {
  QDateTime operationAt, confirmedAt, revokedAt;
  std::optional<qint64> transNum;
  RequestStatus status = RequestStatus::Pending;
  std::optional<int> minutes;
};

// A request from its texts (`text` gives the text of a column) and its typed values: the one way
// a request is made from what the server sent, for a listing and for a record alike.
ORSchedule RequestOf(const std::function<QString(RequestColumn::Column)>& text,
                     const TypedValues& typed);

}  // namespace session
