#include "tools/TsqlScripts.h"

#include <QFile>
#include <stdexcept>

#include "hospitaldb/StatementShape.h"
#include "platform/Errors.h"

namespace tools {
namespace {

using hospitaldb::SqlToken;
using Tokens = std::vector<SqlToken>;

[[noreturn]] void Fail(const QString& origin, const QString& what) {
  throw std::runtime_error((origin + QStringLiteral(": ") + what).toStdString());
}

bool IsWord(const SqlToken& token, QLatin1String word) {
  return token.kind == SqlToken::Kind::Word && token.text.compare(word, Qt::CaseInsensitive) == 0;
}

bool IsWordAt(const Tokens& t, size_t at, QLatin1String word) {
  return at < t.size() && IsWord(t[at], word);
}

bool IsSymbol(const SqlToken& token, QChar ch) {
  return token.kind == SqlToken::Kind::Symbol && token.text == ch;
}

bool SameName(const QString& a, const QString& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString Unbracket(const QString& name) {
  return name.startsWith(u'[') && name.endsWith(u']') ? name.mid(1, name.size() - 2) : name;
}

// The text without comments; literals and [names] are kept as they are.
QString StripComments(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar ch = text[i];
    const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
    if (ch == u'\'' || ch == u'[') {
      const QChar close = ch == u'\'' ? u'\'' : u']';
      const qsizetype end = text.indexOf(close, i + 1);
      const qsizetype stop = end < 0 ? text.size() : end + 1;
      out += text.mid(i, stop - i);
      i = stop - 1;  // a doubled '' simply opens the next literal at once
    } else if (ch == u'-' && next == u'-') {
      while (i < text.size() && text[i] != u'\n')
        ++i;
      out += u'\n';
    } else if (ch == u'/' && next == u'*') {
      const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
      i = end < 0 ? text.size() : end + 1;
      out += u' ';
    } else {
      out += ch;
    }
  }
  return out;
}

QStringList SplitBatches(const QString& text) {
  QStringList batches;
  QString batch;
  for (const QString& line : text.split(u'\n')) {
    if (line.trimmed().compare(QLatin1String("GO"), Qt::CaseInsensitive) == 0) {
      batches << batch;
      batch.clear();
    } else {
      batch += line + u'\n';
    }
  }
  if (!batch.trimmed().isEmpty()) batches << batch;
  return batches;
}

// A dotted name from `at` ("dbo.tbOrRoom", "[PASSWORD].dbo.x"); its last part, unbracketed.
QString ReadName(const Tokens& t, size_t& at) {
  QString last;
  while (at < t.size() && (t[at].kind == SqlToken::Kind::Word || IsSymbol(t[at], u'.'))) {
    if (t[at].kind == SqlToken::Kind::Word) {
      if (!last.isEmpty() && !IsSymbol(t[at - 1], u'.')) break;  // the next word is no part
      last = Unbracket(t[at].text);
    }
    ++at;
  }
  return last;
}

// The index just past the parenthesis that closes the one at `open`.
size_t PastClose(const Tokens& t, size_t open) {
  int depth = 0;
  for (size_t i = open; i < t.size(); ++i) {
    if (IsSymbol(t[i], u'(')) ++depth;
    if (IsSymbol(t[i], u')') && --depth == 0) return i + 1;
  }
  return t.size();
}

// The tokens of [from, to) split at `separator` outside parentheses; empty parts dropped.
std::vector<Tokens> SplitTopLevel(const Tokens& t, size_t from, size_t to, QChar separator) {
  std::vector<Tokens> parts(1);
  int depth = 0;
  for (size_t i = from; i < to && i < t.size(); ++i) {
    if (IsSymbol(t[i], u'(')) ++depth;
    if (IsSymbol(t[i], u')')) --depth;
    if (depth == 0 && IsSymbol(t[i], separator))
      parts.emplace_back();
    else
      parts.back().push_back(t[i]);
  }
  std::erase_if(parts, [](const Tokens& part) { return part.empty(); });
  return parts;
}

// The first word `word` at depth 0 from `from`, or t.size().
size_t FindTopLevel(const Tokens& t, size_t from, QLatin1String word) {
  int depth = 0;
  for (size_t i = from; i < t.size(); ++i) {
    if (IsSymbol(t[i], u'(')) ++depth;
    if (IsSymbol(t[i], u')')) --depth;
    if (depth == 0 && IsWord(t[i], word)) return i;
  }
  return t.size();
}

QStringList ColumnList(const Tokens& t, size_t open) {
  QStringList columns;
  for (const Tokens& part : SplitTopLevel(t, open + 1, PastClose(t, open) - 1, u','))
    columns << Unbracket(part.front().text);
  return columns;
}

// "name type[(n|max)] ...": the name, the type and its length.
TsqlColumn ReadTyped(const Tokens& def) {
  TsqlColumn column{Unbracket(def[0].text), def[1].text.toLower()};
  if (def.size() > 3 && IsSymbol(def[2], u'('))
    column.length = IsWord(def[3], QLatin1String("max")) ? TsqlColumn::kMax : def[3].text.toInt();
  return column;
}

// A table constraint's index: the columns in the parentheses after PRIMARY KEY or UNIQUE.
std::optional<QStringList> ConstraintIndex(const Tokens& def) {
  size_t at = FindTopLevel(def, 0, QLatin1String("PRIMARY"));
  if (at == def.size()) at = FindTopLevel(def, 0, QLatin1String("UNIQUE"));
  while (at < def.size() && !IsSymbol(def[at], u'('))
    ++at;
  if (at == def.size()) return std::nullopt;
  return ColumnList(def, at);
}

std::optional<TsqlColumn> ReadColumnDefinition(const Tokens& def,
                                               std::vector<QStringList>& indexes) {
  static const QLatin1String constraints[] = {QLatin1String("CONSTRAINT"), QLatin1String("PRIMARY"),
                                              QLatin1String("UNIQUE"),     QLatin1String("FOREIGN"),
                                              QLatin1String("CHECK"),      QLatin1String("INDEX")};
  for (QLatin1String word : constraints)
    if (IsWord(def.front(), word)) {
      if (FindTopLevel(def, 0, QLatin1String("FOREIGN")) == def.size())
        if (auto index = ConstraintIndex(def)) indexes.push_back(*index);
      return std::nullopt;
    }
  if (def.size() < 2) return std::nullopt;
  TsqlColumn column = ReadTyped(def);
  if (FindTopLevel(def, 2, QLatin1String("PRIMARY")) < def.size()) indexes.push_back({column.name});
  return column;
}

TsqlTable ReadTable(const Tokens& t, size_t at, const QString& database, const QString& origin) {
  TsqlTable table;
  table.database = database;
  table.name = ReadName(t, at);
  if (at >= t.size() || !IsSymbol(t[at], u'('))
    Fail(origin, QStringLiteral("CREATE TABLE %1 has no column list").arg(table.name));
  for (const Tokens& def : SplitTopLevel(t, at + 1, PastClose(t, at) - 1, u','))
    if (auto column = ReadColumnDefinition(def, table.indexes)) table.columns.push_back(*column);
  return table;
}

// A result column of a SELECT.
TsqlResultColumn ReadResultColumn(const Tokens& c) {
  TsqlResultColumn column;
  size_t end = c.size();
  const size_t as = [&] {
    size_t last = c.size();
    for (size_t i = FindTopLevel(c, 0, QLatin1String("AS")); i < c.size();
         i = FindTopLevel(c, i + 1, QLatin1String("AS")))
      last = i;
    return last;
  }();
  if (as + 1 < c.size()) {
    column.name = Unbracket(c[as + 1].text);
    end = as;
  } else if (c.size() > 2 && IsSymbol(c[1], u'=')) {
    column.name = Unbracket(c[0].text);
    return column;
  }
  // A plain column reference: Name or alias.Name.
  if (end == 1 && c[0].kind == SqlToken::Kind::Word) {
    column.sourceColumn = Unbracket(c[0].text);
  } else if (end == 3 && c[0].kind == SqlToken::Kind::Word && IsSymbol(c[1], u'.') &&
             c[2].kind == SqlToken::Kind::Word) {
    column.sourceAlias = Unbracket(c[0].text).toLower();
    column.sourceColumn = Unbracket(c[2].text);
  }
  if (column.name.isEmpty()) column.name = column.sourceColumn;
  return column;
}

bool EndsTableList(const SqlToken& token) {
  static const QLatin1String words[] = {
      QLatin1String("WHERE"), QLatin1String("ORDER"),  QLatin1String("GROUP"),
      QLatin1String("LEFT"),  QLatin1String("RIGHT"),  QLatin1String("INNER"),
      QLatin1String("OUTER"), QLatin1String("CROSS"),  QLatin1String("JOIN"),
      QLatin1String("ON"),    QLatin1String("HAVING"), QLatin1String("UNION"),
      QLatin1String("OPTION")};
  for (QLatin1String word : words)
    if (IsWord(token, word)) return true;
  return token.kind != SqlToken::Kind::Word;
}

// The tables named after FROM and after each JOIN, by alias.
std::map<QString, QString> ReadTables(const Tokens& t, size_t from) {
  std::map<QString, QString> tables;
  for (size_t at = from; at < t.size();) {
    ++at;  // past FROM or JOIN
    const QString name = ReadName(t, at);
    if (IsWordAt(t, at, QLatin1String("AS"))) ++at;
    QString alias = name;
    if (at < t.size() && !EndsTableList(t[at])) alias = Unbracket(t[at++].text);
    tables[alias.toLower()] = name;
    at = FindTopLevel(t, at, QLatin1String("JOIN"));
  }
  return tables;
}

// The rows a SELECT at `at` returns, or nothing for one that assigns variables.
std::optional<TsqlSelect> ReadSelect(const Tokens& t, size_t at) {
  ++at;
  if (IsWordAt(t, at, QLatin1String("DISTINCT")) || IsWordAt(t, at, QLatin1String("ALL"))) ++at;
  if (IsWordAt(t, at, QLatin1String("TOP")))
    at = at + 1 < t.size() && IsSymbol(t[at + 1], u'(') ? PastClose(t, at + 1) : at + 2;
  const size_t from = FindTopLevel(t, at, QLatin1String("FROM"));
  const size_t into = FindTopLevel(t, at, QLatin1String("INTO"));
  TsqlSelect select;
  for (const Tokens& c : SplitTopLevel(t, at, std::min(from, into), u',')) {
    if (c.size() > 1 && c[0].text.startsWith(u'@') && IsSymbol(c[1], u'=')) return std::nullopt;
    select.columns.push_back(ReadResultColumn(c));
  }
  if (into < from) return std::nullopt;  // SELECT ... INTO makes a table
  if (from < t.size()) select.tables = ReadTables(t, from);
  return select;
}

// The SELECTs of one statement that return rows to the caller.
std::vector<TsqlSelect> ResultSelects(const Tokens& statement) {
  std::vector<TsqlSelect> results;
  int depth = 0;
  bool inInsert = false;
  for (size_t i = 0; i < statement.size(); ++i) {
    if (IsSymbol(statement[i], u'(')) ++depth;
    if (IsSymbol(statement[i], u')')) --depth;
    if (depth == 0 && IsWord(statement[i], QLatin1String("INSERT"))) inInsert = true;
    if (depth != 0 || inInsert || !IsWord(statement[i], QLatin1String("SELECT"))) continue;
    if (i > 0 && (IsWord(statement[i - 1], QLatin1String("UNION")) ||
                  IsWord(statement[i - 1], QLatin1String("ALL")) ||
                  IsWord(statement[i - 1], QLatin1String("EXCEPT")) ||
                  IsWord(statement[i - 1], QLatin1String("INTERSECT"))))
      continue;
    if (auto select = ReadSelect(statement, i)) results.push_back(*select);
  }
  return results;
}

QString Joined(const Tokens& t) {
  QStringList words;
  for (const SqlToken& token : t)
    words << (token.kind == SqlToken::Kind::Literal ? u'\'' + token.text + u'\'' : token.text);
  return words.join(u' ');
}

// The statements of a body from `from`, split at semicolons, without the BEGIN and END that
// open them.
std::vector<Tokens> BodyStatements(const Tokens& t, size_t from) {
  std::vector<Tokens> statements;
  for (Tokens statement : SplitTopLevel(t, from, t.size(), u';')) {
    while (!statement.empty() && (IsWord(statement.front(), QLatin1String("BEGIN")) ||
                                  IsWord(statement.front(), QLatin1String("END"))))
      statement.erase(statement.begin());
    if (!statement.empty()) statements.push_back(std::move(statement));
  }
  return statements;
}

TsqlProcedure ReadProcedure(const Tokens& t, size_t at, const QString& database,
                            const QString& origin) {
  TsqlProcedure procedure;
  procedure.database = database;
  procedure.name = ReadName(t, at);
  const size_t as = FindTopLevel(t, at, QLatin1String("AS"));
  if (as == t.size()) Fail(origin, QStringLiteral("procedure %1 has no AS").arg(procedure.name));
  const bool enclosed = at < as && IsSymbol(t[at], u'(') && PastClose(t, at) == as;
  for (const Tokens& p : SplitTopLevel(t, enclosed ? at + 1 : at, enclosed ? as - 1 : as, u',')) {
    if (p.size() < 2 || !p[0].text.startsWith(u'@'))
      Fail(origin,
           QStringLiteral("procedure %1: a parameter is not \"@name type\"").arg(procedure.name));
    procedure.parameters.push_back(ReadTyped(p));
  }
  for (const Tokens& statement : BodyStatements(t, as + 1)) {
    procedure.statements << Joined(statement);
    const bool alternative = IsWord(statement.front(), QLatin1String("ELSE"));
    for (TsqlSelect& select : ResultSelects(statement)) {
      select.alternative = alternative;
      procedure.results.push_back(std::move(select));
    }
  }
  return procedure;
}

// CREATE TRIGGER name ON table AFTER events AS body, from the name.
TsqlTrigger ReadTrigger(const Tokens& t, size_t at, const QString& database,
                        const QString& origin) {
  TsqlTrigger trigger;
  trigger.database = database;
  trigger.name = ReadName(t, at);
  if (!IsWordAt(t, at++, QLatin1String("ON")))
    Fail(origin, QStringLiteral("trigger %1 names no table").arg(trigger.name));
  trigger.table = ReadName(t, at);
  const size_t as = FindTopLevel(t, at, QLatin1String("AS"));
  for (; at < as; ++at)
    if (t[at].kind == SqlToken::Kind::Word) trigger.events << t[at].text.toUpper();
  for (const Tokens& statement : BodyStatements(t, as + 1))
    trigger.statements << Joined(statement);
  return trigger;
}

// CREATE [UNIQUE] [[NON]CLUSTERED] INDEX name ON table (columns): the table and the columns.
std::optional<std::pair<QString, QStringList>> ReadIndex(const Tokens& t, size_t at) {
  while (IsWordAt(t, at, QLatin1String("UNIQUE")) || IsWordAt(t, at, QLatin1String("CLUSTERED")) ||
         IsWordAt(t, at, QLatin1String("NONCLUSTERED")))
    ++at;
  if (!IsWordAt(t, at, QLatin1String("INDEX")) || !IsWordAt(t, at + 2, QLatin1String("ON")))
    return std::nullopt;
  at += 3;
  const QString table = ReadName(t, at);
  if (at >= t.size() || !IsSymbol(t[at], u'(')) return std::nullopt;
  return std::make_pair(table, ColumnList(t, at));
}

// GRANT permission [(columns)] ON [schema.]name TO ...
std::optional<TsqlGrant> ReadGrant(const Tokens& t, size_t at, const QString& database) {
  if (at >= t.size() || t[at].kind != SqlToken::Kind::Word) return std::nullopt;
  TsqlGrant grant{database, t[at].text.toUpper(), QString(), {}};
  if (++at < t.size() && IsSymbol(t[at], u'(')) {
    grant.columns = ColumnList(t, at);
    at = PastClose(t, at);
  }
  if (!IsWordAt(t, at++, QLatin1String("ON"))) return std::nullopt;
  grant.object = ReadName(t, at);
  return grant;
}

// CREATE PROCEDURE, FUNCTION, VIEW and TRIGGER must each begin a batch.
bool MustStartItsBatch(const Tokens& t, size_t at) {
  for (QLatin1String kind :
       {QLatin1String("PROCEDURE"), QLatin1String("PROC"), QLatin1String("FUNCTION"),
        QLatin1String("VIEW"), QLatin1String("TRIGGER")})
    if (IsWordAt(t, at, kind)) return true;
  return false;
}

}  // namespace

QStringList ThrowProblems(const std::vector<SqlToken>& t, const QString& origin) {
  QStringList problems;
  for (size_t i = 0; i + 1 < t.size(); ++i) {
    bool number = false;
    const int n = t[i + 1].text.toInt(&number);
    if (!IsWord(t[i], QLatin1String("THROW")) || !number) continue;
    if (n < 50000)
      problems << QStringLiteral(
                      "%1: THROW %2 takes a number SQL Server keeps for its own "
                      "errors; a refusal's is 50000 or above")
                      .arg(origin)
                      .arg(n);
    if (i + 4 < t.size() && !IsSymbol(t[i + 4], u','))
      problems << QStringLiteral("%1: THROW %2 takes its message as one text or variable, not %3")
                      .arg(origin)
                      .arg(n)
                      .arg(t[i + 4].text);
  }
  for (size_t i = 0; i + 3 < t.size(); ++i)
    if (IsWord(t[i], QLatin1String("RAISERROR")) && !IsSymbol(t[i + 3], u','))
      problems << QStringLiteral("%1: RAISERROR takes its message as one text or variable, not %2")
                      .arg(origin, t[i + 3].text);
  return problems;
}

std::vector<SqlToken> TokenizeScript(const QString& text) {
  return hospitaldb::TokenizeSql(SplitBatches(StripComments(text)).join(u';'));
}

const TsqlColumn* TsqlTable::column(const QString& wanted) const {
  for (const TsqlColumn& c : columns)
    if (SameName(c.name, wanted)) return &c;
  return nullptr;
}

QStringList TsqlSelect::ColumnNames() const {
  QStringList names;
  for (const TsqlResultColumn& c : columns)
    names << c.name;
  return names;
}

TsqlScripts TsqlScripts::Read(const QStringList& files) {
  std::vector<std::pair<QString, QString>> texts;
  for (const QString& path : files) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
      Fail(path, QStringLiteral("cannot be read"));
    texts.emplace_back(path, QString::fromUtf8(file.readAll()));
  }
  return ReadTexts(texts);
}

TsqlScripts TsqlScripts::ReadText(const QString& text, const QString& origin) {
  return ReadTexts({{origin, text}});
}

TsqlScripts TsqlScripts::ReadTexts(const std::vector<std::pair<QString, QString>>& texts) {
  TsqlScripts scripts;
  for (const auto& [origin, text] : texts) {
    QString database;
    for (const QString& batch : SplitBatches(StripComments(text)))
      scripts.readBatch(batch, database, origin);
  }
  return scripts;
}

// Each THROW number stands for one kind of refusal: its message (a text or the variable that
// holds it) is the same wherever it is thrown.
void TsqlScripts::checkThrowMessages(const Tokens& t, const QString& origin) {
  for (size_t i = 0; i + 3 < t.size(); ++i) {
    bool number = false;
    const int n = t[i + 1].text.toInt(&number);
    if (!IsWord(t[i], QLatin1String("THROW")) || !number) continue;
    const QString message = t[i + 3].text;
    const auto [known, added] = throwMessages_.emplace(n, message);
    if (!added && known->second.compare(message, Qt::CaseInsensitive) != 0)
      problems_ << QStringLiteral(
                       "%1: THROW %2 is thrown for two refusals (%3 and %4): give each kind "
                       "of refusal its own number")
                       .arg(origin)
                       .arg(n)
                       .arg(known->second, message);
  }
}

void TsqlScripts::readBatch(const QString& batch, QString& database, const QString& origin) {
  Tokens t;
  try {
    t = hospitaldb::TokenizeSql(batch);
  } catch (const platform::DatabaseError& error) {
    Fail(origin, error.message());
  }
  batches_.push_back({origin, t});
  if (IsWordAt(t, 0, QLatin1String("USE")) && t.size() > 1) {
    database = Unbracket(t[1].text);
    return;
  }
  problems_ << ThrowProblems(t, origin);
  checkThrowMessages(t, origin);
  for (size_t i = 0; i < t.size(); ++i) {
    if (IsWord(t[i], QLatin1String("GRANT")))
      if (auto grant = ReadGrant(t, i + 1, database)) grants_.push_back(*grant);
    if (!IsWord(t[i], QLatin1String("CREATE"))) continue;
    size_t at = i + 1;
    if (IsWordAt(t, at, QLatin1String("OR")) && IsWordAt(t, at + 1, QLatin1String("ALTER")))
      at += 2;
    if (i > 0 && MustStartItsBatch(t, at)) {
      size_t nameAt = at + 1;
      problems_ << QStringLiteral(
                       "%1: %2 is not the first statement of its batch, which SQL "
                       "Server refuses (end the batch before it with GO)")
                       .arg(origin, ReadName(t, nameAt));
    }
    if (IsWordAt(t, at, QLatin1String("PROCEDURE")) || IsWordAt(t, at, QLatin1String("PROC"))) {
      procedures_.push_back(ReadProcedure(t, at + 1, database, origin));
      return;  // a procedure is the whole batch
    }
    if (IsWordAt(t, at, QLatin1String("TRIGGER"))) {
      triggers_.push_back(ReadTrigger(t, at + 1, database, origin));
      return;
    }
    if (IsWordAt(t, at, QLatin1String("TABLE"))) {
      tables_.push_back(ReadTable(t, at + 1, database, origin));
    } else if (auto index = ReadIndex(t, at)) {
      TsqlTable* target = nullptr;
      for (TsqlTable& table : tables_)
        if (SameName(table.database, database) && SameName(table.name, index->first))
          target = &table;
      if (!target)
        Fail(origin,
             QStringLiteral("an index on %1, a table not made before it").arg(index->first));
      target->indexes.push_back(index->second);
    }
  }
}

const TsqlTable* TsqlScripts::table(const QString& database, const QString& name) const {
  for (const TsqlTable& t : tables_)
    if (SameName(t.database, database) && SameName(t.name, name)) return &t;
  return nullptr;
}

const TsqlProcedure* TsqlScripts::procedure(const QString& database, const QString& name) const {
  for (const TsqlProcedure& p : procedures_)
    if (SameName(p.database, database) && SameName(p.name, name)) return &p;
  return nullptr;
}

}  // namespace tools
