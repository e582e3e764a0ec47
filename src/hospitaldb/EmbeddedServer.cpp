#include "hospitaldb/EmbeddedServer.h"

#include <QDir>
#include <QStandardPaths>

#include "hospitaldb/DemoData.h"
#include "hospitaldb/EmbeddedConnection.h"
#include "hospitaldb/ServerState.h"
#include "hospitaldb/SqlHelpers.h"
#include "hospitaldb/TsqlDate.h"

namespace hospitaldb {

EmbeddedServer::EmbeddedServer(const QString& path) : state_(std::make_shared<ServerState>(path)) {}

EmbeddedServer::~EmbeddedServer() = default;

QString EmbeddedServer::Path() const {
  return state_->path;
}

QDateTime EmbeddedServer::Now() const {
  return state_->now();
}

void EmbeddedServer::SetNow(const QDateTime& when) {
  state_->setNow(when);
}

bool EmbeddedServer::IsSeeded() const {
  return !ReadScalar(state_->database(), QStringLiteral("SELECT DemoSeededOn FROM tbServerInfo"))
              .isNull();
}

void EmbeddedServer::SeedDemoData() {
  // Read first: a seeded file is only read, so that another program writing to it does not
  // hold up this one's start.
  if (IsSeeded()) return;
  const QSqlDatabase db = state_->database();
  WriteTransaction transaction(db);
  // Checked inside the transaction: another program may have seeded the file meanwhile.
  if (!IsSeeded()) {
    const QDateTime now = Now();
    FillDemoData(db, now);
    ExecStatement(db, QStringLiteral("UPDATE tbServerInfo SET DemoSeededOn = ?"),
                  {StoredDateTimeText(now)});
  }
  transaction.Commit();
}

void EmbeddedServer::AddRequests(const QDate& date, int count) {
  const QSqlDatabase db = state_->database();
  WriteTransaction transaction(db);
  FillPendingRequests(db, date, count, Now());
  transaction.Commit();
}

void EmbeddedServer::SetLogin(const QString& login) {
  state_->login = login;
}

std::shared_ptr<platform::Connection> EmbeddedServer::Connect() {
  return std::make_shared<EmbeddedConnection>(state_);
}

QSqlDatabase EmbeddedServer::Database() const {
  return state_->database();
}

QString DemoEmployeeCode() {
  return QString::fromLatin1(kDemoEmployeeCode);
}

QString DefaultDatabasePath() {
  const QString configured = qEnvironmentVariable("ORSCHED_DATABASE");
  if (!configured.isEmpty()) return configured;
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(folder);
  return folder + QStringLiteral("/orscheduler.sqlite");
}

}  // namespace hospitaldb
