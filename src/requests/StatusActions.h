#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

#include "session/ConnectionProvider.h"
#include "session/ORSchedule.h"

namespace platform {
class Connection;
}

namespace requests {

class OwnWrites;
class PaneState;
class RequestList;
struct StatusAction;

// "&Confirm" and "&Revoke" under the request list: each sets the status of the selected request,
// after checking that request as the server holds it at the click and asking the user; after
// the user's Yes the request is checked again and its status set in one transaction, with the
// row held from the check on. Then the list is reloaded for the date in the list's picker.
class StatusActions {
 public:
  StatusActions(RequestList& list, PaneState& state, OwnWrites& own,
                session::ConnectionProvider connection = session::CurrentUserConnection());

  // A click of cmdOpt by element index: 0 confirms, any other index revokes. Throws on a
  // database failure, after reloading the list.
  void cmdOpt_Click(int index);

 private:
  std::optional<session::ORSchedule> AtTheClick();
  bool Refused(const StatusAction& action, const session::ORSchedule& request);
  bool Send(const StatusAction& action, const session::ORSchedule& asked);
  QString WhyNot(const StatusAction& action, const session::ORSchedule& asked,
                 const std::optional<session::ORSchedule>& now, platform::Connection& connection);
  bool SettleUnsure(const StatusAction& action, const session::ORSchedule& asked,
                    const QDateTime& since);

  RequestList& list_;
  PaneState& state_;
  OwnWrites& own_;
  session::ConnectionProvider connection_;
};

}  // namespace requests
