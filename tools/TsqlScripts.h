#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

#include "hospitaldb/StatementShape.h"

namespace tools {

// A reader of the reference T-SQL scripts, enough to hold them against the client; not a T-SQL
// parser. It reads scripts written in the shape their header describes:
//   * batches end at a line GO; a batch "USE Name" makes Name the database of what follows;
//   * comments (-- to the end of the line, /* */) carry no meaning;
//   * CREATE TABLE [schema.]Name ( column type ..., ... ): the columns by name and type (the
//     type's first word, lower case); table constraints are skipped;
//   * CREATE [UNIQUE] [[NON]CLUSTERED] INDEX name ON [schema.]Table (columns) and an inline
//     PRIMARY KEY: the indexed columns;
//   * CREATE TABLE's PRIMARY KEY and UNIQUE constraints: the columns of their indexes;
//   * CREATE [OR ALTER] PROCEDURE [schema.]Name [(]@param type [, ...][)] AS BEGIN ... END:
//     the parameters in order, and the body's statements split at semicolons;
//   * CREATE [OR ALTER] TRIGGER [schema.]Name ON [schema.]Table AFTER events AS BEGIN ... END:
//     the table, the events and the body's statements;
//   * GRANT permission [(columns)] ON [schema.]Name TO principal: the permission, by column
//     where it names columns;
//   * in a body, every SELECT at parenthesis depth 0 that is not part of an INSERT, a UNION or
//     an assignment (SELECT @x = ...) returns rows to the caller. Its columns run to FROM, each
//     named by the word after its last AS, by "Name = expression", or by the column it reads
//     (s.PatientName is PatientName); [brackets] are removed. Its FROM and JOINs give the
//     tables it reads, by alias. One in a statement that begins with ELSE is an alternative to
//     the result before it, not a result of its own;
//   * a CREATE PROCEDURE, FUNCTION, VIEW or TRIGGER after another statement of its batch, and
//     a THROW numbered below 50000, are named among its problems(): SQL Server refuses both; so
//     is one number THROWn with two different messages (each kind of refusal has its own).
// Every batch is kept too, as tokens with the file it came from, for the rules of the scripts
// themselves (ScriptContract).
// Names compare case-insensitively, as on a server with a case-insensitive collation.
// The tokens of a script: comments dropped, GO lines as semicolons.
std::vector<hospitaldb::SqlToken> TokenizeScript(const QString& text);

// Each THROW of the tokens numbered below 50000, and each THROW or RAISERROR whose message is an
// expression (they take one text or variable, where a parser of statements lets a
// concatenation pass), in one line naming `origin`.
QStringList ThrowProblems(const std::vector<hospitaldb::SqlToken>& tokens, const QString& origin);

struct TsqlColumn {
  static constexpr int kMax = -1;
  QString name;
  QString type;    // "nvarchar", "datetime", "int", ...
  int length = 0;  // n of type(n), kMax for type(max), 0 without one
};

struct TsqlGrant {
  QString database, permission, object;  // "SCHEDULE", "SELECT", "tbOrRoom"
  QStringList columns;                   // empty: the whole object
};

struct TsqlTable {
  QString database, name;
  std::vector<TsqlColumn> columns;
  std::vector<QStringList> indexes;  // the columns of each index, primary key included
  const TsqlColumn* column(const QString& name) const;
};

struct TsqlResultColumn {
  QString name;                       // empty when the reader finds none
  QString sourceAlias, sourceColumn;  // for a plain column reference: "s" and "PatientName"
};

struct TsqlSelect {
  std::vector<TsqlResultColumn> columns;
  std::map<QString, QString> tables;  // alias (lower case) -> table name; the name is its alias
  bool alternative = false;           // in an ELSE branch: instead of the result before it
  QStringList ColumnNames() const;
};

struct TsqlProcedure {
  QString database, name;
  std::vector<TsqlColumn> parameters;
  QStringList statements;  // each statement's words joined by blanks
  std::vector<TsqlSelect> results;
};

struct TsqlTrigger {
  QString database, name, table;
  QStringList events;      // "INSERT", "UPDATE", ...
  QStringList statements;  // each statement's words joined by blanks
};

// One batch of a script: its tokens, and the file (or text) it came from.
struct TsqlBatch {
  QString origin;
  std::vector<hospitaldb::SqlToken> tokens;
};

class TsqlScripts {
 public:
  // Reads the files in order. Throws std::runtime_error naming the file and the object for
  // what it cannot read.
  static TsqlScripts Read(const QStringList& files);
  // Reads one script's text (for tests of the reader).
  static TsqlScripts ReadText(const QString& text, const QString& origin = QStringLiteral("text"));
  // Reads scripts' texts in order, each with its origin.
  static TsqlScripts ReadTexts(const std::vector<std::pair<QString, QString>>& texts);

  const TsqlTable* table(const QString& database, const QString& name) const;
  const TsqlProcedure* procedure(const QString& database, const QString& name) const;
  const std::vector<TsqlTable>& tables() const { return tables_; }
  const std::vector<TsqlProcedure>& procedures() const { return procedures_; }
  const std::vector<TsqlGrant>& grants() const { return grants_; }
  const std::vector<TsqlTrigger>& triggers() const { return triggers_; }
  const std::vector<TsqlBatch>& batches() const { return batches_; }
  // What SQL Server would refuse in the scripts' batches, one line each.
  const QStringList& problems() const { return problems_; }

 private:
  void readBatch(const QString& batch, QString& database, const QString& origin);
  void checkThrowMessages(const std::vector<hospitaldb::SqlToken>& tokens, const QString& origin);

  std::vector<TsqlTable> tables_;
  std::vector<TsqlProcedure> procedures_;
  std::vector<TsqlGrant> grants_;
  std::vector<TsqlTrigger> triggers_;
  std::vector<TsqlBatch> batches_;
  std::map<int, QString> throwMessages_;  // each THROW number's message (text or variable)
  QStringList problems_;
};

}  // namespace tools
