#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace platform {

// Cursor and lock types of the database client, with its numeric values.
enum class CursorType { Unspecified = -1, ForwardOnly = 0, Keyset = 1, Dynamic = 2, Static = 3 };
enum class LockType { Unspecified = -1, ReadOnly = 1, Pessimistic = 2, Optimistic = 3 };
enum CursorLocationValue { adUseServer = 2, adUseClient = 3 };

// The rows of one statement, read forward from the first row. Fields are read by name or by
// position; a value is a QVariant (dates and times as QDateTime, a null as a null QVariant).
class Recordset {
 public:
  virtual ~Recordset() = default;

  virtual bool AtEnd() const = 0;  // the database client's EOF
  virtual void MoveNext() = 0;
  virtual int FieldCount() const = 0;
  virtual QString FieldName(int index) const = 0;
  virtual QVariant Value(int index) const = 0;
  virtual void Close() = 0;

  // The value converted to text the way the platform shows it: dates and times in the
  // default texts of Format, nulls as empty text.
  virtual QString Text(int index) const;

  QStringList FieldNames() const;
  int FieldIndex(const QString& name) const;  // -1 when the recordset has no such field
  // Throws DatabaseError when there is no such field or no current row.
  QVariant Field(const QString& name) const;
};

// The one connection the current-user component hands out. Every call is synchronous and
// throws DatabaseError on failure.
class Connection {
 public:
  virtual ~Connection() = default;

  // Runs one statement; nothing is read back.
  virtual void Execute(const QString& sql) = 0;
  // Opens a recordset on the statement, positioned on its first row (AtEnd when it has none).
  virtual std::unique_ptr<Recordset> Open(const QString& sql,
                                          CursorType cursor = CursorType::ForwardOnly,
                                          LockType lock = LockType::ReadOnly) = 0;

  virtual int CommandTimeout() const = 0;  // seconds
  virtual void SetCommandTimeout(int seconds) = 0;
  virtual int CursorLocation() const = 0;
  virtual void SetCursorLocation(int location) = 0;
};

// Gives a connection another CommandTimeout for as long as it lives, then the one it had.
class ScopedCommandTimeout {
 public:
  ScopedCommandTimeout(Connection& connection, int seconds)
      : connection_(connection), saved_(connection.CommandTimeout()) {
    connection.SetCommandTimeout(seconds);
  }
  ~ScopedCommandTimeout() { connection_.SetCommandTimeout(saved_); }
  ScopedCommandTimeout(const ScopedCommandTimeout&) = delete;
  ScopedCommandTimeout& operator=(const ScopedCommandTimeout&) = delete;

 private:
  Connection& connection_;
  int saved_;
};

// Keeps CommandTimeout and CursorLocation for implementations that only store them.
class ConnectionSettingsBase : public Connection {
 public:
  int CommandTimeout() const override { return commandTimeout_; }
  void SetCommandTimeout(int seconds) override { commandTimeout_ = seconds; }
  int CursorLocation() const override { return cursorLocation_; }
  void SetCursorLocation(int location) override { cursorLocation_ = location; }

 private:
  int commandTimeout_ = 30;
  int cursorLocation_ = adUseServer;
};

}  // namespace platform
