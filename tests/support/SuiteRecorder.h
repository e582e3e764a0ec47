#pragma once

#include <memory>

#include "suite/Component.h"
#include "suite/CurrentUser.h"
#include "suite/widgets/CodeSearchStandIn.h"
#include "support/RecordingConnection.h"

namespace testsupport {

// For a test's lifetime, puts recording components in place of the suite's three stand-ins:
// each records its member calls, and the current user's connection records every statement,
// all into one log in the order they happen.
class SuiteRecorder {
 public:
  SuiteRecorder();
  ~SuiteRecorder();

  QStringList log() const { return *log_; }
  void clearLog() { log_->clear(); }
  // The entries of the log from the first one starting with `prefix` on.
  QStringList logFrom(const QString& prefix) const;
  // The current user's recording connection; null until start-up has connected.
  RecordingConnection* connection() const { return connection_.get(); }
  // The code-search stand-in created at start-up (null before and after it is released).
  std::shared_ptr<suite::CodeSearchStandIn> codeSearch() const { return codeSearch_.lock(); }
  // Statements for which `matches` is true fail, from the moment the connection exists.
  void failWhen(std::function<bool(const QString& sql)> matches);
  // The rows of every opened statement pass through `serve` (RecordingConnection::serveWith).
  void serveWith(RecordingConnection::Serve serve);
  // How many components were created under the ProgID.
  int created(const QString& progId) const;

 private:
  friend class RecordingCurrentUser;
  CallLog log_ = std::make_shared<QStringList>();
  std::shared_ptr<RecordingConnection> connection_;
  std::weak_ptr<suite::CodeSearchStandIn> codeSearch_;
  std::function<bool(const QString&)> fails_;
  RecordingConnection::Serve serve_;
  std::unique_ptr<suite::ScopedRegistration> currentUser_, codeSearchReg_, keyPress_;
};

}  // namespace testsupport
