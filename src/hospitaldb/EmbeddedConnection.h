#pragma once

#include <memory>

#include "platform/Connection.h"

namespace hospitaldb {

struct ServerState;

// The connection the current-user component hands out on the embedded database. It takes
// the client's statement texts; every statement works through both Execute and Open (a write
// opened as a recordset gives an empty one, a select executed is run and its rows dropped).
class EmbeddedConnection : public platform::ConnectionSettingsBase {
 public:
  explicit EmbeddedConnection(std::shared_ptr<ServerState> state);

  void Execute(const QString& sql) override;
  std::unique_ptr<platform::Recordset> Open(const QString& sql, platform::CursorType cursor,
                                            platform::LockType lock) override;

 private:
  std::shared_ptr<ServerState> state_;
};

}  // namespace hospitaldb
