#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace hospitaldb {

// One lexical token of a T-SQL text. Literals carry their value (a doubled apostrophe inside
// is one apostrophe); words and bracketed names carry their text as written.
struct SqlToken {
  enum class Kind { Word, Literal, Symbol, Parameter };
  Kind kind;
  QString text;
};

// Splits a T-SQL text into tokens; blanks between tokens carry no meaning. In a statement
// shape, '?' stands for "any literal" (a Parameter). Throws platform::DatabaseError for a
// literal that is never closed, with SQL Server's message.
std::vector<SqlToken> TokenizeSql(const QString& sql);

// Compares a tokenized statement with a shape: words case-insensitively, fixed literals
// exactly, symbols exactly. Returns the values of the literals that stand at the shape's
// parameters, in order, or nothing when the statement has another shape.
std::optional<QStringList> MatchShape(const std::vector<SqlToken>& statement,
                                      const std::vector<SqlToken>& shape);

// "EXEC proc 'a'" is the same call as "proc 'a'": removes a leading EXEC or EXECUTE.
void DropLeadingExec(std::vector<SqlToken>& statement);

// When the statement has the form of a procedure call ("db..name 'a', 'b'"), the
// procedure's name as written and its argument count.
struct ProcedureCall {
  QString name;      // as written, e.g. "SCHEDULE..sp_Foo"
  QString baseName;  // the last part, e.g. "sp_Foo"
  int argumentCount = 0;
  bool argumentsAreLiterals = true;
};
std::optional<ProcedureCall> ReadProcedureCall(const std::vector<SqlToken>& statement);

}  // namespace hospitaldb
