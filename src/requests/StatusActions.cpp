#include "requests/StatusActions.h"

#include "platform/Connection.h"
#include "platform/Format.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/MsgBox.h"
#include "requests/EditConflict.h"
#include "requests/PaneState.h"
#include "requests/RequestList.h"
#include "requests/SaveOutcome.h"
#include "session/CheckedWrite.h"
#include "session/FreshListing.h"
#include "session/ServerDate.h"
#include "session/Statements.h"
#include "session/modGlobal.h"

namespace requests {

using session::ORSchedule;
using session::RequestStatus;

// What sets confirming apart from revoking.
struct StatusAction {
  RequestStatus status;         // sent, and the status that means it is already done
  QLatin1String alreadyDoneBy;  // the refusal names who did it and when
  QLatin1String doneAtPattern;
  bool refusesPast;
  QLatin1String promptOpening;
  QLatin1String promptTitle;
  QLatin1String success;
  QLatin1String doing, done;  // "confirming", "confirmed"

  const QString& DoneBy(const ORSchedule& r) const {
    return status == RequestStatus::Confirmed ? r.confirmedBy : r.revokedBy;
  }
  const QDateTime& DoneAt(const ORSchedule& r) const {
    return status == RequestStatus::Confirmed ? r.confirmedAt : r.revokedAt;
  }
};

namespace {

constexpr StatusAction kConfirm{
    .status = RequestStatus::Confirmed,
    .alreadyDoneBy = QLatin1String("This schedule was already confirmed by "),
    .doneAtPattern = QLatin1String("MM/DD/YYYY hh:mm:ss"),
    .refusesPast = true,
    .promptOpening = QLatin1String("You are about to confirm schedule for patient: "),
    .promptTitle = QLatin1String("Confirm?"),
    .success = QLatin1String("You successfully confirmed this schedule!"),
    .doing = QLatin1String("confirming"),
    .done = QLatin1String("confirmed"),
};

// A request of any date may be revoked; the refusal shows the time of day only.
constexpr StatusAction kRevoke{
    .status = RequestStatus::Revoked,
    .alreadyDoneBy = QLatin1String("This schedule was already revoked by "),
    .doneAtPattern = QLatin1String("HH:MM:SS"),
    .refusesPast = false,
    .promptOpening = QLatin1String("You are about to revoke schedule for patient: "),
    .promptTitle = QLatin1String("Revoke?"),
    .success = QLatin1String("You successfully revoked this schedule!"),
    .doing = QLatin1String("revoking"),
    .done = QLatin1String("revoked"),
};

const QString kPast = QStringLiteral(
    "Can't confirm past schedule. Please edit date/time of schedule or enter a new one.");
const QString kUnreadable = QStringLiteral(
    "Can't confirm this schedule: its date and time cannot be read. "
    "Please edit date/time of schedule or enter a new one.");

// Calendar date and time of day taken together, to the second, as the server's clock shows
// them: no time zone of the workstation comes into it.
bool IsBefore(const QDateTime& a, const QDateTime& b) {
  return a.date() != b.date() ? a.date() < b.date() : a.time() < b.time();
}

QString AlreadyDone(const StatusAction& action, const ORSchedule& request) {
  return QString(action.alreadyDoneBy) + action.DoneBy(request) + QStringLiteral(" last ") +
         platform::Format(action.DoneAt(request), QString(action.doneAtPattern)) + u'.';
}

// Why a request no longer listed under `listedDay` is not acted on there; empty while it is.
// A date that cannot be read leaves it where it was listed.
QString NotListed(const QString& listedDay, const std::optional<ORSchedule>& now) {
  const QString day = now ? session::ListedDayOf(*now) : QString();
  if (now && (day.isEmpty() || day == listedDay)) return QString();
  return QStringLiteral("This schedule is no longer listed for %1: another workstation has %2.")
      .arg(listedDay, now ? QStringLiteral("moved it to ") + day : QStringLiteral("removed it"));
}

}  // namespace

StatusActions::StatusActions(RequestList& list, PaneState& state, OwnWrites& own,
                             session::ConnectionProvider connection)
    : list_(list), state_(state), own_(own), connection_(std::move(connection)) {}

void StatusActions::cmdOpt_Click(int index) {
  const StatusAction& action = index == 0 ? kConfirm : kRevoke;
  if (!state_.Selected() || !list_.HoldsRequests() || !own_.Settle()) return;
  const std::optional<ORSchedule> request = AtTheClick();
  if (!request || Refused(action, *request)) return;
  const QString prompt = QString(action.promptOpening) + request->patientName +
                         QStringLiteral(".\r\nPress YES to continue, else NO.");
  try {
    if (platform::MsgBox(prompt, platform::vbYesNo | platform::vbDefaultButton1,
                         QString(action.promptTitle)) == platform::vbYes &&
        Send(action, *request))
      platform::MsgBox(QString(action.success), platform::vbOKOnly | platform::vbExclamation,
                       QStringLiteral("SUCCESS!"));
  } catch (...) {
    // The list shows what the server holds; a reload that fails too has emptied it. The
    // update's failure is the one reported.
    platform::Guarded([this] { list_.Reload(); }, [](const std::exception&) {});
    throw;
  }
  list_.Reload();  // on No as well: the list then shows what others changed meanwhile
}

// The selected request as the server holds it now, read by its number: another workstation
// may have confirmed, revoked, changed or moved it since the list was read, and its record of
// who did so must stand. None, after saying so and listing the date again, when it is no
// longer listed under the list's date.
std::optional<ORSchedule> StatusActions::AtTheClick() {
  std::optional<ORSchedule> request = session::ReadRequest(*connection_(), *state_.Selected());
  const QString notListed = NotListed(list_.ListedDay(), request);
  if (notListed.isEmpty()) return request;
  Notify(notListed, platform::vbCritical);
  list_.Reload();
  return std::nullopt;
}

// Already done, or (Confirm) past by the server's clock read now, or without a date.
bool StatusActions::Refused(const StatusAction& action, const ORSchedule& request) {
  QString refusal;
  if (request.status == action.status)
    refusal = AlreadyDone(action, request);
  else if (action.refusesPast && !request.operationAt.isValid())
    refusal = kUnreadable;
  else if (action.refusesPast && IsBefore(request.operationAt, Get_ServerDate(connection_)))
    refusal = kPast;
  if (!refusal.isEmpty()) Notify(refusal, platform::vbCritical);
  return !refusal.isEmpty();
}

// After the user's Yes: the request is checked against what the question named and its status
// set, in one transaction. True when it was set (or found set, when the commit's answer was
// lost); otherwise the user has been told why.
bool StatusActions::Send(const StatusAction& action, const ORSchedule& asked) {
  const QDateTime since = modGlobal::ServerDateTime;
  QString refusal;
  std::optional<ORSchedule> after;
  const session::CheckedWrite write{
      asked.transNum,
      [&](const std::optional<ORSchedule>& now, platform::Connection& connection) {
        refusal = WhyNot(action, asked, now, connection);
        return refusal.isEmpty();
      },
      [&](platform::Connection& connection) {
        connection.Execute(
            session::UpdateScheduleSql(action.status, modGlobal::EmployeeCode(), *asked.transNum));
        after = session::ReadRequest(connection, *asked.transNum);
      }};
  bool done = false;
  try {
    done = session::RunChecked(*connection_(), write);
  } catch (const session::FateUnknownError&) {
    return SettleUnsure(action, asked, since);
  }
  if (!done) {
    Notify(refusal, platform::vbCritical);
    return false;
  }
  if (after) own_.Stored(*after, true);
  return true;
}

// The check inside the transaction: the request is still on the listed date, not already done,
// the same patient, date and time and OR room as asked about, and (Confirm) not past by the
// server's clock read now. Empty when it may be written.
QString StatusActions::WhyNot(const StatusAction& action, const ORSchedule& asked,
                              const std::optional<ORSchedule>& now,
                              platform::Connection& connection) {
  const QString notListed = NotListed(list_.ListedDay(), now);
  if (!notListed.isEmpty()) return notListed;
  if (now->status == action.status) return AlreadyDone(action, *now);
  const QStringList changes = ChangesAskedAbout(asked, *now);
  if (!changes.isEmpty())
    return QStringLiteral("Another workstation has changed this schedule while you were asked: ") +
           changes.join(u' ') + QStringLiteral(" Nothing was changed.");
  if (!action.refusesPast) return QString();
  if (!now->operationAt.isValid()) return kUnreadable;
  return IsBefore(now->operationAt, session::ServerNow(connection)) ? kPast : QString();
}

// The commit's answer was lost: the request is read back as soon as the server answers.
bool StatusActions::SettleUnsure(const StatusAction& action, const ORSchedule& asked,
                                 const QDateTime& since) {
  OwnWrites::Unsure write{asked, true, since};
  write.sent.status = action.status;
  const Fate fate = own_.LookUp(write);
  if (fate == Fate::Stored) return true;
  Notify(fate == Fate::NotStored
             ? QStringLiteral("The link to the database broke while %1: the schedule was not %2.")
                   .arg(action.doing, action.done)
             : QStringLiteral("The link to the database broke while %1. %2 may or may not have "
                              "been stored; it is checked before your next save, confirmation "
                              "or revocation.")
                   .arg(action.doing, OwnWrites::Described(write)),
         platform::vbCritical);
  return false;
}

}  // namespace requests
