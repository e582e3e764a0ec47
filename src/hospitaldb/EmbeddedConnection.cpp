#include "hospitaldb/EmbeddedConnection.h"

#include "hospitaldb/ServerState.h"
#include "hospitaldb/StatementHandlers.h"

namespace hospitaldb {

EmbeddedConnection::EmbeddedConnection(std::shared_ptr<ServerState> state)
    : state_(std::move(state)) {}

void EmbeddedConnection::Execute(const QString& sql) {
  state_->CheckFileIsThere();
  if (auto rows = RunStatement(state_, sql)) rows->Close();
}

std::unique_ptr<platform::Recordset> EmbeddedConnection::Open(const QString& sql,
                                                              platform::CursorType,
                                                              platform::LockType) {
  state_->CheckFileIsThere();
  if (auto rows = RunStatement(state_, sql)) return rows;
  return EmptyRecordset(state_);
}

}  // namespace hospitaldb
