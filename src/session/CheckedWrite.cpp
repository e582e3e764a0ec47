#include "session/CheckedWrite.h"

#include "platform/Connection.h"
#include "session/FreshListing.h"
#include "session/Statements.h"

namespace session {
namespace {

// Ends the transaction after a failure, when the server has not ended it already. Its own
// failure adds nothing: the server rolls back a transaction whose session is gone.
void RollBack(platform::Connection& connection) {
  try {
    connection.Execute(RollbackTransactionSql());
  } catch (const platform::RuntimeError&) {
  }
}

}  // namespace

bool RunChecked(platform::Connection& connection, const CheckedWrite& w) {
  bool committing = false;
  try {
    connection.Execute(BeginTransactionSql());
    std::optional<ORSchedule> now;
    if (w.held) now = ReadRequest(connection, *w.held, ByNum::Held);
    if (!w.check(now, connection)) {
      RollBack(connection);
      return false;
    }
    w.write(connection);
    committing = true;
    connection.Execute(CommitTransactionSql());
    return true;
  } catch (const platform::LinkError& error) {
    RollBack(connection);
    if (committing) throw FateUnknownError(error.message());
    // On a server that locks rows, a wait past the timeout is a wait for the row held.
    const bool timedOut = dynamic_cast<const platform::QueryTimeoutError*>(&error);
    if (w.held && timedOut)
      throw platform::BusyError(
          QStringLiteral("Another workstation is saving this schedule. Please try again."));
    throw platform::DatabaseError(
        QStringLiteral("%1 before anything was stored: nothing was changed. Please try again. (%2)")
            .arg(timedOut ? QStringLiteral("The database did not answer in time")
                          : QStringLiteral("The link to the database broke"),
                 error.message()));
  } catch (...) {
    RollBack(connection);
    throw;
  }
}

}  // namespace session
