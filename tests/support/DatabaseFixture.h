#pragma once

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariantMap>
#include <memory>

#include "hospitaldb/EmbeddedServer.h"
#include "hospitaldb/ScheduleStore.h"
#include "support/TestEnvironment.h"

namespace platform {
class Connection;
}

namespace testsupport {

// An embedded hospital database in a fresh temporary folder, its server clock set to a fixed
// moment and (unless asked otherwise) filled with the demo data. $ORSCHED_DATABASE points at
// it while the fixture lives, so the program's own start-up finds the same file.
class DatabaseFixture {
 public:
  // Empty: no rooms, staff or requests, and it stays so when the program starts on it.
  enum class Seed { Demo, Empty };

  // 2026-12-08 10:00:00: a Tuesday in December, so that "next January" is next year.
  static QDateTime DefaultNow();

  explicit DatabaseFixture(const QDateTime& now = DefaultNow(), Seed seed = Seed::Demo);
  ~DatabaseFixture();
  DatabaseFixture(const DatabaseFixture&) = delete;
  DatabaseFixture& operator=(const DatabaseFixture&) = delete;

  hospitaldb::EmbeddedServer& server() { return *server_; }
  // The one connection of this fixture (the same object on every call).
  std::shared_ptr<platform::Connection> connection() const { return connection_; }
  QSqlDatabase database() const { return server_->Database(); }
  const TestEnvironment& environment() const { return environment_; }

  // A client statement run through connection(), read to its end.
  struct Result {
    QStringList fields;
    QList<QVariantList> rows;
  };
  Result open(const QString& sql) const;

  // The requests whose operation date falls on `date`.
  int countRequests(const QDate& date) const;
  // Their transaction numbers in the order the request list shows them.
  QList<qint64> transNumsOn(const QDate& date) const;
  // The highest transaction number (the request saved last), 0 when there is none.
  qint64 lastTransNum() const;
  // Every column of one request by name (PatientName, OperationDate as stored text, Status,
  // ConfirmedBy, ...); an empty map when there is no such request.
  QVariantMap request(qint64 transNum) const;

  // A complete pending request at `when`, with demo doctors and nurses, encoded by the demo
  // user now. Change what a test needs, then insertRequest.
  hospitaldb::ScheduleRecord sampleRequest(const QDateTime& when) const;
  // Stores a request as given (names resolved from its codes unless told otherwise) and
  // returns its transaction number. Any field may be odd: an empty patient, status " R ".
  qint64 insertRequest(hospitaldb::ScheduleRecord record, bool resolveNames = true);
  // Runs one SQLite statement on the file to arrange a case; values are bound in order.
  void exec(const QString& sql, const QVariantList& values = {});

 private:
  TestEnvironment environment_;
  std::unique_ptr<hospitaldb::EmbeddedServer> server_;
  std::shared_ptr<platform::Connection> connection_;
};

}  // namespace testsupport
