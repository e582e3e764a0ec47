#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <initializer_list>

namespace hospitaldb {

// Thin wrappers over QSqlQuery that turn every failure into platform::DatabaseError.
// Queries are forward-only so that a finished read never holds the database.
QSqlQuery PrepareQuery(const QSqlDatabase& db, const QString& sql);
void ExecQuery(QSqlQuery& query);
// Prepares, binds the values in order, runs and finishes a statement that reads nothing back.
void ExecStatement(const QSqlDatabase& db, const QString& sql,
                   std::initializer_list<QVariant> values = {});
// The first column of the first row, or a null QVariant when there is no row.
QVariant ReadScalar(const QSqlDatabase& db, const QString& sql,
                    std::initializer_list<QVariant> values = {});

// A write transaction taken with BEGIN IMMEDIATE, so that two writers never both hold a read
// lock and then dead-lock on the upgrade. Rolled back unless committed. Inside a transaction
// already open (the client's own), it is a savepoint of it: rolled back alone, committed with it.
class WriteTransaction {
 public:
  explicit WriteTransaction(const QSqlDatabase& db);
  ~WriteTransaction();
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;
  void Commit();

 private:
  QSqlDatabase db_;
  bool nested_ = false;
  bool open_ = false;
};

}  // namespace hospitaldb
