#pragma once

#include <QString>
#include <stdexcept>

namespace platform {

// A failure of the database, the connection or an outside component. Event handlers catch it,
// report it once and leave the window usable.
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(const QString& message);
  QString message() const { return message_; }

 private:
  QString message_;
};

class DatabaseError : public RuntimeError {
 public:
  using RuntimeError::RuntimeError;
};

// The link to the server broke while a statement was on its way or being answered: the server
// may or may not have carried it out. A refused statement is a plain DatabaseError instead.
class LinkError : public DatabaseError {
 public:
  using DatabaseError::DatabaseError;
};

// The statement ran longer than the command timeout and was given up: as with a broken link,
// the server may have carried it out (a save committed just before the answer was due).
class QueryTimeoutError : public LinkError {
 public:
  using LinkError::LinkError;
};

// Another connection held what the statement needed for longer than the statement may wait:
// the statement was not carried out.
class BusyError : public DatabaseError {
 public:
  using DatabaseError::DatabaseError;
};

class ComponentError : public RuntimeError {
 public:
  using RuntimeError::RuntimeError;
};

// More records than a grid's 16-bit row counter can hold: the data is fine, only too much to show.
class TooManyRowsError : public RuntimeError {
 public:
  using RuntimeError::RuntimeError;
};

// The text of any failure: a RuntimeError's message as it was made, else what() read as UTF-8.
QString FailureText(const std::exception& error);

}  // namespace platform
