#pragma once

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <memory>

namespace platform {
class Connection;
}

namespace hospitaldb {

struct ServerState;

// The embedded stand-in for the hospital's database server: one SQLite file per workstation
// holding the operating rooms, the OR schedules, the staff table and the doctors, and running
// the statements the client sends (recognised by their fixed shapes, arguments bound as
// parameters). Its clock is the machine clock plus an offset kept in the file.
class EmbeddedServer {
 public:
  // Opens the file, creating it and its schema when it is new (not seeded). Throws
  // platform::DatabaseError when the file cannot be opened or created.
  explicit EmbeddedServer(const QString& path);
  ~EmbeddedServer();

  QString Path() const;

  // The server's "now": the machine clock plus the stored offset, to the second.
  QDateTime Now() const;
  // Moves the server clock so that Now() reads `when` at this moment.
  void SetNow(const QDateTime& when);

  bool IsSeeded() const;
  // Fills the demo data (rooms, doctors, staff, requests around Now()'s date). Deterministic
  // for a given server date. Does nothing when the database is already seeded.
  void SeedDemoData();
  // Adds `count` pending requests on `date`, in one transaction (benchmarks and tests).
  void AddRequests(const QDate& date, int count);

  // The login the connections run under (the machine's user unless set); the login mapping,
  // tbORLogin, is empty until a test or a desk fills it.
  void SetLogin(const QString& login);

  // A connection that runs the client's statement texts on this database. It shares the
  // server's state and stays usable after the EmbeddedServer object is gone.
  std::shared_ptr<platform::Connection> Connect();

  // The SQLite database itself, for tests that read or arrange the tables directly.
  QSqlDatabase Database() const;

 private:
  std::shared_ptr<ServerState> state_;
};

// The employee code of the demo database's signed-in user (an OR staff member).
QString DemoEmployeeCode();

// The database file: the path in $ORSCHED_DATABASE, else orscheduler.sqlite in the user's
// application-data folder.
QString DefaultDatabasePath();

}  // namespace hospitaldb
