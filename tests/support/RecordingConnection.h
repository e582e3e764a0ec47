#pragma once

#include <QStringList>
#include <functional>
#include <memory>

#include "platform/Connection.h"

namespace testsupport {

// The order of everything a test wants to see: component calls and statements.
using CallLog = std::shared_ptr<QStringList>;

// Wraps a connection, records every statement text ("Open <sql>" / "Execute <sql>") and the
// settings made on it, and can be told to fail statements.
class RecordingConnection : public platform::Connection {
 public:
  explicit RecordingConnection(std::shared_ptr<platform::Connection> inner,
                               CallLog log = std::make_shared<QStringList>());

  void Execute(const QString& sql) override;
  std::unique_ptr<platform::Recordset> Open(const QString& sql, platform::CursorType cursor,
                                            platform::LockType lock) override;
  int CommandTimeout() const override { return inner_->CommandTimeout(); }
  void SetCommandTimeout(int seconds) override;
  int CursorLocation() const override { return inner_->CursorLocation(); }
  void SetCursorLocation(int location) override;

  // The statement texts sent so far, in order, without the Open/Execute word.
  QStringList statements() const { return statements_; }
  void clearStatements() { statements_.clear(); }
  // From now on, every statement for which `matches` is true fails with DatabaseError.
  void failWhen(std::function<bool(const QString& sql)> matches);
  void failNothing() { failWhen(nullptr); }
  // From now on, the link breaks (LinkError) on every statement for which `matches` is true:
  // after the server has carried it out when `carriedOut`, else before it reaches the server;
  // with `timesOut`, the statement outlasts the command timeout instead (QueryTimeoutError).
  void loseLinkWhen(std::function<bool(const QString& sql)> matches, bool carriedOut,
                    bool timesOut = false);
  // From now on, the rows every opened statement returns pass through `serve`, which may hand
  // other rows in their place (nulls where the database keeps none, say); null: the real rows.
  using Serve = std::function<std::unique_ptr<platform::Recordset>(
      const QString& sql, std::unique_ptr<platform::Recordset> rows)>;
  void serveWith(Serve serve) { serve_ = std::move(serve); }
  // The cursor and lock of the last Open.
  platform::CursorType lastCursor() const { return lastCursor_; }
  platform::LockType lastLock() const { return lastLock_; }

 private:
  void record(const QString& kind, const QString& sql);

  std::shared_ptr<platform::Connection> inner_;
  CallLog log_;
  QStringList statements_;
  std::function<bool(const QString&)> fails_, losesLink_;
  bool carriedOut_ = false, timesOut_ = false;
  Serve serve_;
  platform::CursorType lastCursor_ = platform::CursorType::Unspecified;
  platform::LockType lastLock_ = platform::LockType::Unspecified;
};

}  // namespace testsupport
