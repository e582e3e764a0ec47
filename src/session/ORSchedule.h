#pragma once

#include <QDateTime>
#include <QString>
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
    kNotUsed,  // who saved it last; only the look-up after a broken save reads it
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

// One operation request: the fields of its row in the request list, every one as text, as the
// list carries them, and beside them the values the program works with, typed as the server
// gave them. The form's load and save, confirm and revoke read and write requests through this
// type rather than through cell numbers.
struct ORSchedule {
  QString patientName;
  QString procedure;
  QString patientRoom;
  QString orRoomCode;
  QString surgeonCode;
  QString surgeon;
  QString anesCode;
  QString anesthesiologist;
  QString operationDate;
  QString remarks;
  QString transNum;  // empty for a request not yet saved
  QString cNurseCode;
  QString cNurse;
  QString sNurseCode;
  QString sNurse;
  QString sNurse2Code;
  QString sNurse2;
  QString surgeon1Code;
  QString surgeon1;
  QString surgeon2Code;
  QString surgeon2;
  QString anes2Code;
  QString anes2;
  QString asstDocCode;
  QString asstDoc;
  QString notUsed;
  QString status;
  QString confirmedBy;
  QString dateConfirmed;
  QString revokedBy;
  QString dateRevoked;

  // Typed: a null date and time, or no number, where the server gave none or one that is no
  // date or number. A request the form is about to save carries its operation's date and time.
  QDateTime operationAt;
  RequestStatus statusCode = RequestStatus::Pending;
  std::optional<qint64> transNumber;
  QDateTime confirmedAt;
  QDateTime revokedAt;

  // The typed date and time of a date column (the operation's, the confirmation's, the
  // revocation's); null for any other column.
  QDateTime When(RequestColumn::Column column) const;

  // The field shown in a column of the request list.
  QString& operator[](RequestColumn::Column column);
  const QString& operator[](RequestColumn::Column column) const;

  // Reads a request from a listed row: `cell` gives the text of a column of that row.
  static ORSchedule FromCells(const std::function<QString(RequestColumn::Column)>& cell);
};

}  // namespace session
