#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <mutex>
#include <thread>

namespace testsupport {

// A stand-in for SQL Server on 127.0.0.1 that speaks just enough TDS 7.4 for FreeTDS to log in
// and run batches, so that the ODBC path can be tested through the real driver: a lost link,
// a refused statement and a server that never answers.
//   * every login is a new session, numbered from 1;
//   * a batch beginning with SELECT returns one row with one int column, Session, holding the
//     session's number; a batch containing RAISERROR fails with error 50000 (after that row,
//     when it begins with SELECT); any other batch succeeds without rows;
//   * DropClient() closes the current session's socket under the driver's feet;
//   * a Silent server accepts connections and never answers;
//   * a Hanging server logs in and sets up sessions (batches beginning with SET) but never
//     answers a query, as a server stuck behind a lock; it does acknowledge a cancel.
// It serves one client connection at a time, on a thread of its own. Test code only: POSIX
// sockets on the loopback address.
class FakeTdsServer {
 public:
  enum class Mode { Answering, Silent, Hanging };
  // On `port`, or on a free one when it is 0.
  explicit FakeTdsServer(Mode mode = Mode::Answering, quint16 port = 0);
  ~FakeTdsServer();
  FakeTdsServer(const FakeTdsServer&) = delete;
  FakeTdsServer& operator=(const FakeTdsServer&) = delete;

  quint16 port() const { return port_; }
  void DropClient();
  int sessions() const { return sessions_; }
  // The SQL batches received, each as "session: text"; a statement that came as a procedure
  // call (as a driver sends a prepared statement) as "session: RPC text".
  QStringList batches() const;
  // The application name the last login gave.
  QString application() const;

 private:
  void serve();
  void serveClient(int client);

  Mode mode_;
  int listener_ = -1;
  quint16 port_ = 0;
  std::atomic<int> client_{-1};
  std::atomic<int> sessions_{0};
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  QStringList batches_;
  QString application_;
  std::thread thread_;
};

// A port on 127.0.0.1 that nothing listens on.
quint16 ClosedPort();

}  // namespace testsupport
