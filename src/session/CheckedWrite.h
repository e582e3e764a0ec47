#pragma once

#include <functional>
#include <optional>

#include "platform/Errors.h"
#include "session/ORSchedule.h"

namespace platform {
class Connection;
}

namespace session {

// The link broke while a commit was on its way: the server may or may not have committed.
// Only a commit's answer can be lost so; a failure before it leaves nothing written.
class FateUnknownError : public platform::LinkError {
 public:
  using LinkError::LinkError;
};

// A write that depends on what this desk saw, with its check, as one transaction: the request
// `held` (when there is one) is read by its number with an update lock, so that the row is held
// from the check on and another desk's check of it waits for this desk's commit; `check` decides
// on it as the server holds it now (none: it is gone), and may read more on the connection (the
// server's clock); `write` sends the statements; then the commit. A check that refuses ends the
// transaction without writing: it keeps what it found for the caller to tell the user, as
// nothing may wait for the user while the row is held.
struct CheckedWrite {
  std::optional<qint64> held;
  std::function<bool(const std::optional<ORSchedule>& now, platform::Connection& connection)> check;
  std::function<void(platform::Connection& connection)> write;
};

// Runs it. True when written and committed, false when the check refused. After any failure
// inside the transaction it is rolled back before anything else, and then:
//   * a wait past the command timeout for the request held (another desk is writing it, on a
//     server that locks rows) throws platform::BusyError saying so; the embedded database,
//     which locks its whole file, says that it is busy;
//   * a commit whose answer was lost throws FateUnknownError;
//   * any other failure is thrown as it came, nothing having been written; a broken link says
//     so in plain words.
bool RunChecked(platform::Connection& connection, const CheckedWrite& write);

}  // namespace session
