#include "support/RecordingConnection.h"

#include "platform/Errors.h"

namespace testsupport {

RecordingConnection::RecordingConnection(std::shared_ptr<platform::Connection> inner, CallLog log)
    : inner_(std::move(inner)), log_(std::move(log)) {}

void RecordingConnection::record(const QString& kind, const QString& sql) {
  statements_ << sql;
  *log_ << kind + u' ' + sql;
  if (fails_ && fails_(sql))
    throw platform::DatabaseError(QStringLiteral("Simulated failure of: %1").arg(sql));
}

void RecordingConnection::Execute(const QString& sql) {
  record(QStringLiteral("Execute"), sql);
  const bool lost = losesLink_ && losesLink_(sql);
  if (!lost || carriedOut_) inner_->Execute(sql);
  if (lost && timesOut_) throw platform::QueryTimeoutError(QStringLiteral("Query timeout expired"));
  if (lost) throw platform::LinkError(QStringLiteral("Communication link failure: %1").arg(sql));
}

void RecordingConnection::loseLinkWhen(std::function<bool(const QString&)> matches, bool carriedOut,
                                       bool timesOut) {
  losesLink_ = std::move(matches);
  carriedOut_ = carriedOut;
  timesOut_ = timesOut;
}

std::unique_ptr<platform::Recordset> RecordingConnection::Open(const QString& sql,
                                                               platform::CursorType cursor,
                                                               platform::LockType lock) {
  lastCursor_ = cursor;
  lastLock_ = lock;
  record(QStringLiteral("Open"), sql);
  auto rows = inner_->Open(sql, cursor, lock);
  return serve_ ? serve_(sql, std::move(rows)) : std::move(rows);
}

void RecordingConnection::SetCommandTimeout(int seconds) {
  *log_ << QStringLiteral("CommandTimeout=%1").arg(seconds);
  inner_->SetCommandTimeout(seconds);
}

void RecordingConnection::SetCursorLocation(int location) {
  *log_ << QStringLiteral("CursorLocation=%1").arg(location);
  inner_->SetCursorLocation(location);
}

void RecordingConnection::failWhen(std::function<bool(const QString&)> matches) {
  fails_ = std::move(matches);
}

}  // namespace testsupport
