#pragma once

#include <functional>
#include <optional>

#include "session/ConnectionProvider.h"
#include "session/ORSchedule.h"

namespace platform {
class FlexGrid;
}  // namespace platform

namespace requests {

class RequestList;
struct StatusAction;

// "&Confirm" and "&Revoke" under the request list: each sets the status of the request on the
// list's current row, after checking that request as the server holds it at the click and
// asking the user, and again after the user's Yes, then reloads the list for the date in the
// list's picker.
class StatusActions {
 public:
  StatusActions(platform::FlexGrid& grid, RequestList& list,
                session::ConnectionProvider connection = session::CurrentUserConnection());

  // A click of cmdOpt by element index: 0 confirms, any other index revokes. Throws on a
  // database failure, after reloading the list when the update itself failed.
  void cmdOpt_Click(int index);

  // Told the transaction number of each request this workstation confirms or revokes.
  void OnOwnChange(std::function<void(const QString& transNum)> noted) {
    ownChange_ = std::move(noted);
  }

 private:
  std::optional<session::ORSchedule> SelectedRequest() const;
  std::optional<session::ORSchedule> Afresh(const session::ORSchedule& listed);
  bool StillAsAsked(const StatusAction& action, const session::ORSchedule& asked);
  bool Refused(const StatusAction& action, const session::ORSchedule& request);
  bool RefusedAsPast(const session::ORSchedule& request);
  void Update(const StatusAction& action, const session::ORSchedule& request);

  platform::FlexGrid& grid_;
  RequestList& list_;
  session::ConnectionProvider connection_;
  std::function<void(const QString&)> ownChange_;
};

}  // namespace requests
