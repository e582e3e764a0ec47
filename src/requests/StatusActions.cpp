#include "requests/StatusActions.h"

#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MsgBox.h"
#include "requests/EditConflict.h"
#include "requests/RequestList.h"
#include "session/FreshListing.h"
#include "session/ServerDate.h"
#include "session/Statements.h"
#include "session/modGlobal.h"

namespace requests {

using session::ORSchedule;
using session::RequestColumn;

// What sets confirming apart from revoking.
struct StatusAction {
  QLatin1String letter;         // sent, and the listed status that means it is already done
  QLatin1String alreadyDoneBy;  // the refusal names who did it and when
  RequestColumn::Column doneBy;
  RequestColumn::Column doneAt;
  QLatin1String doneAtPattern;
  bool refusesPast;
  QLatin1String promptOpening;
  QLatin1String promptTitle;
  QLatin1String success;
};

namespace {

constexpr StatusAction kConfirm{
    .letter = QLatin1String("C"),
    .alreadyDoneBy = QLatin1String("This schedule was already confirmed by "),
    .doneBy = RequestColumn::kConfirmedBy,
    .doneAt = RequestColumn::kDateConfirmed,
    .doneAtPattern = QLatin1String("MM/DD/YYYY hh:mm:ss"),
    .refusesPast = true,
    .promptOpening = QLatin1String("You are about to confirm schedule for patient: "),
    .promptTitle = QLatin1String("Confirm?"),
    .success = QLatin1String("You successfully confirmed this schedule!"),
};

// A request of any date may be revoked; the refusal shows the time of day only.
constexpr StatusAction kRevoke{
    .letter = QLatin1String("R"),
    .alreadyDoneBy = QLatin1String("This schedule was already revoked by "),
    .doneBy = RequestColumn::kRevokedBy,
    .doneAt = RequestColumn::kDateRevoked,
    .doneAtPattern = QLatin1String("HH:MM:SS"),
    .refusesPast = false,
    .promptOpening = QLatin1String("You are about to revoke schedule for patient: "),
    .promptTitle = QLatin1String("Revoke?"),
    .success = QLatin1String("You successfully revoked this schedule!"),
};

void Notify(const QString& text) {
  platform::MsgBox(text, platform::vbOKOnly | platform::vbCritical,
                   QStringLiteral("Notification!"));
}

// Calendar date and time of day taken together, to the second, as the server's clock shows
// them: no time zone of the workstation comes into it.
bool IsBefore(const QDateTime& a, const QDateTime& b) {
  return a.date() != b.date() ? a.date() < b.date() : a.time() < b.time();
}

}  // namespace

StatusActions::StatusActions(platform::FlexGrid& grid, RequestList& list,
                             session::ConnectionProvider connection)
    : grid_(grid), list_(list), connection_(std::move(connection)) {}

void StatusActions::cmdOpt_Click(int index) {
  const StatusAction& action = index == 0 ? kConfirm : kRevoke;
  std::optional<ORSchedule> request = SelectedRequest();
  if (request) request = Afresh(*request);
  if (!request || Refused(action, *request)) return;
  const QString prompt = QString(action.promptOpening) + request->patientName +
                         QStringLiteral(".\r\nPress YES to continue, else NO.");
  if (platform::MsgBox(prompt, platform::vbYesNo | platform::vbDefaultButton1,
                       QString(action.promptTitle)) == platform::vbYes &&
      StillAsAsked(action, *request))
    Update(action, *request);
  list_.Reload();  // on No as well: the list then shows what others changed meanwhile
}

// The request on the current row; none when the list holds no request to act on.
std::optional<ORSchedule> StatusActions::SelectedRequest() const {
  if (!list_.HoldsRequests()) return std::nullopt;
  // A fresh listing has no current row until the user picks one; its first request is the
  // selected one then, as a grid's current row starts on its first data row.
  const int row = grid_.Row() > 0 ? grid_.Row() : 1;
  ORSchedule request = list_.Listing().At(row - 1);
  if (request.transNum.trimmed().isEmpty()) return std::nullopt;
  return request;
}

// The selected request as the server holds it now, read by its number: another workstation
// may have confirmed, revoked or changed it since the list was read, and its record of who did
// so must stand. None, after saying so and listing the date again, when the request is no
// longer listed under the list's date.
std::optional<ORSchedule> StatusActions::Afresh(const ORSchedule& listed) {
  std::optional<ORSchedule> request = session::ReadRequest(*connection_(), listed.transNum);
  const QString day = request ? session::ListedDayOf(*request) : QString();
  if (request && (day.isEmpty() || day == list_.ListedDay())) return request;
  Notify(QStringLiteral("This schedule is no longer listed for %1: another workstation has "
                        "moved it to another date.")
             .arg(list_.ListedDay()));
  list_.Reload();
  return std::nullopt;
}

// Read again after the user's Yes, just before the update: another workstation may have acted
// while the question was open. When it has, nothing is sent and the user is told what changed.
bool StatusActions::StillAsAsked(const StatusAction& action, const ORSchedule& asked) {
  const std::optional<ORSchedule> now = Afresh(asked);
  if (!now) return false;
  if (now->status == action.letter) return !Refused(action, *now);
  const QString change = StatusChangeSince(asked, *now);
  if (change.isEmpty()) return true;
  Notify(QStringLiteral("Another workstation has changed this schedule while you were asked: ") +
         change + QStringLiteral(" Nothing was changed."));
  return false;
}

// Checks the request as just read: the status exactly as the server gives it, so that a
// status with blanks or in lower case does not count as done.
bool StatusActions::Refused(const StatusAction& action, const ORSchedule& request) {
  if (request.status == action.letter) {
    const QDateTime at = request.When(action.doneAt);
    const QString when =
        at.isValid() ? platform::Format(at, QString(action.doneAtPattern)) : request[action.doneAt];
    Notify(QString(action.alreadyDoneBy) + request[action.doneBy] + QStringLiteral(" last ") +
           when + u'.');
    return true;
  }
  return action.refusesPast && RefusedAsPast(request);
}

bool StatusActions::RefusedAsPast(const ORSchedule& request) {
  const QDateTime& operation = request.operationAt;
  if (!operation.isValid()) {
    Notify(
        QStringLiteral("Can't confirm this schedule: its date and time cannot be read. "
                       "Please edit date/time of schedule or enter a new one."));
    return true;
  }
  // The clock is read afresh: a window left open since the morning must not confirm an
  // operation that has begun since.
  Get_ServerDate(connection_);
  if (!IsBefore(operation, modGlobal::ServerDateTime)) return false;
  Notify(QStringLiteral(
      "Can't confirm past schedule. Please edit date/time of schedule or enter a new one."));
  return true;
}

void StatusActions::Update(const StatusAction& action, const ORSchedule& request) {
  const QString sql = session::UpdateScheduleSql(QString(action.letter), modGlobal::EmployeeCode(),
                                                 request.transNum);
  try {
    connection_()->Execute(sql);
  } catch (...) {
    // The update may have reached the server before the failure: list what it holds. The
    // update's failure is the one reported; a reload that fails too has emptied the list.
    platform::Guarded([this] { list_.Reload(); }, [](const std::exception&) {});
    throw;
  }
  // Told quietly: should this fail, a later save may only warn of this desk's own action.
  if (ownChange_)
    platform::Guarded([&] { ownChange_(request.transNum); }, [](const std::exception&) {});
  platform::MsgBox(QString(action.success), platform::vbOKOnly | platform::vbExclamation,
                   QStringLiteral("SUCCESS!"));
}

}  // namespace requests
