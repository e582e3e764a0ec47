#include "tools/ScriptContract.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <climits>

#include "hospitaldb/EmbeddedServer.h"
#include "hospitaldb/StatementShape.h"
#include "platform/Connection.h"
#include "platform/WallClock.h"
#include "session/ORSchedule.h"
#include "session/Statements.h"
#include "suite/ConnectionSettings.h"
#include "suite/DoctorSearch.h"
#include "tools/ScriptRules.h"
#include "tools/Sentinels.h"

namespace tools {
namespace {

using hospitaldb::SqlToken;

// The day the embedded database is seeded for: the reading calls ask for its requests.
const QDate kDemoDay(2026, 12, 8);

bool IsTextType(const QString& type) {
  return type == QLatin1String("nvarchar") || type == QLatin1String("varchar") ||
         type == QLatin1String("nchar") || type == QLatin1String("char");
}

bool IsDateType(const QString& type) {
  return type == QLatin1String("datetime") || type == QLatin1String("datetime2") ||
         type == QLatin1String("smalldatetime") || type == QLatin1String("date");
}

// The statement's procedure as "database" and "name", with the values of its quoted arguments.
struct Call {
  QString database, name;
  QStringList arguments;
};

Call ReadCall(const QString& sql) {
  std::vector<SqlToken> tokens = hospitaldb::TokenizeSql(sql);
  hospitaldb::DropLeadingExec(tokens);
  Call call;
  call.database = tokens.at(0).text;
  call.name = hospitaldb::ReadProcedureCall(tokens)->baseName;
  for (const SqlToken& token : tokens)
    if (token.kind == SqlToken::Kind::Literal) call.arguments << token.text;
  return call;
}

// The client's procedure calls, each value naming the parameter that must take it.
QStringList CallsNamingTheirParameters() {
  using namespace session;
  ORSchedule r;
  r.patientName = QStringLiteral("@PatientName");
  r.orRoomCode = QStringLiteral("@ORRoomID");
  r.staff[kSurgeon].code = QStringLiteral("@SurgeonCode");
  r.staff[kAnes].code = QStringLiteral("@AnesCode");
  r.operationAt = Sentinel::When();
  r.remarks = QStringLiteral("@Remarks");
  r.staff[kCNurse].code = QStringLiteral("@CNurseCode");
  r.staff[kSNurse].code = QStringLiteral("@SNurseCode");
  r.staff[kSNurse2].code = QStringLiteral("@SNurse2Code");
  r.staff[kSurgeon1].code = QStringLiteral("@Surgeon1Code");
  r.staff[kSurgeon2].code = QStringLiteral("@Surgeon2Code");
  r.staff[kAnes2].code = QStringLiteral("@Anes2Code");
  r.procedure = QStringLiteral("@ProcedureName");
  r.patientRoom = QStringLiteral("@RoomNo");
  r.transNum = Sentinel::kTransNum;
  r.staff[kAsstDoc].code = QStringLiteral("@AsstDocCode");
  const auto named = [](QString sql) {
    sql = Sentinel::Replaced(sql, Sentinel::kWhenText, QStringLiteral("@OperationDate"));
    sql = Sentinel::Replaced(sql, Sentinel::kSavedAtText, QStringLiteral("@DateEncoded"));
    return Sentinel::Replaced(sql, Sentinel::kTransNumText, QStringLiteral("@TransNum"));
  };
  return {ScheduleListSql(QStringLiteral("@ScheduleDate")),
          RoomListSql(),
          suite::LoginEmployeeSql(),
          RoomCodeSql(QStringLiteral("@RoomName")),
          named(SaveScheduleSql(r, QStringLiteral("@EncodedBy"), Sentinel::SavedAt())),
          Sentinel::Replaced(
              named(UpdateScheduleSql(RequestStatus::Confirmed, QStringLiteral("@EmployeeCode"),
                                      Sentinel::kTransNum)),
              QStringLiteral("C"), QStringLiteral("@Status")),
          ConfirmedListSql(),
          FindRequestsSql(QStringLiteral("@SearchText")),
          Sentinel::Replaced(named(ScheduleByNumSql(Sentinel::kTransNum, ByNum::Held)),
                             QStringLiteral("UPDLOCK"), QStringLiteral("@UpdLock")),
          ScheduleDurationsSql(QStringLiteral("@ScheduleDate")),
          Sentinel::Replaced(named(SetDurationSql(Sentinel::kTransNum, Sentinel::kMinutes)),
                             Sentinel::kMinutesText, QStringLiteral("@Minutes"))};
}

// The calls whose rows the client reads, with values the demo day answers.
QStringList ReadingCalls() {
  using namespace session;
  return {ScheduleListSql(kDemoDay.toString(QStringLiteral("MM/dd/yyyy"))),
          RoomListSql(),
          RoomCodeSql(QStringLiteral("OR 1")),
          ConfirmedListSql(),
          suite::LoginEmployeeSql(),
          FindRequestsSql(QStringLiteral("CRUZ")),
          ScheduleByNumSql(1),
          ScheduleDurationsSql(kDemoDay.toString(QStringLiteral("MM/dd/yyyy")))};
}

// The plain selects the client (and the code search) send, naming tables as db..table.
QStringList PlainSelects() {
  using namespace session;
  return {RoomNameSql(QStringLiteral("OR01")), AllOrStaffSql(),
          OrStaffByKeySql(QStringLiteral("SAN")), suite::DoctorSearchSql(QStringLiteral("CRUZ"))};
}

// A statement's result on the embedded database: its field names and its rows' values.
struct Result {
  QStringList fields;
  QList<QVariantList> rows;
};

Result Run(platform::Connection& connection, const QString& sql) {
  Result result;
  const auto rows =
      connection.Open(sql, platform::CursorType::ForwardOnly, platform::LockType::ReadOnly);
  result.fields = rows->FieldNames();
  for (; !rows->AtEnd(); rows->MoveNext()) {
    QVariantList row;
    for (int i = 0; i < rows->FieldCount(); ++i)
      row << rows->Value(i);
    result.rows << row;
  }
  return result;
}

// Where each embedded table lives on the server.
QString ServerDatabaseOf(const QString& embeddedTable) {
  return embeddedTable.compare(QLatin1String("tbpasswordmain"), Qt::CaseInsensitive) == 0
             ? QStringLiteral("PASSWORD")
             : QStringLiteral("SCHEDULE");
}

// The tables a statement names with their database: db..table and db.schema.table.
struct NamedTable {
  QString database, name;
};

std::vector<NamedTable> NamedTables(const std::vector<SqlToken>& tokens) {
  std::vector<NamedTable> found;
  auto dot = [&](size_t i) { return tokens[i].text == u'.'; };
  for (size_t i = 0; i + 3 < tokens.size(); ++i) {
    if (tokens[i].kind != SqlToken::Kind::Word || !dot(i + 1)) continue;
    if (dot(i + 2))
      found.push_back({tokens[i].text, tokens[i + 3].text});
    else if (i + 4 < tokens.size() && dot(i + 3))
      found.push_back({tokens[i].text, tokens[i + 4].text});
  }
  for (NamedTable& table : found)
    for (QString* name : {&table.database, &table.name})
      if (name->startsWith(u'[')) *name = name->mid(1, name->size() - 2);
  return found;
}

QString Key(const QString& database, const QString& table) {
  return (database + u'.' + table).toLower();
}

bool IsWordIn(const std::vector<SqlToken>& tokens, const QString& word) {
  return std::any_of(tokens.begin(), tokens.end(), [&](const SqlToken& t) {
    return t.kind == SqlToken::Kind::Word && t.text.compare(word, Qt::CaseInsensitive) == 0;
  });
}

class Checker {
 public:
  Checker(const TsqlScripts& scripts, hospitaldb::EmbeddedServer& server)
      : scripts_(scripts), db_(server.Database()), connection_(server.Connect()) {}

  void checkParameters(const QString& sql) {
    const Call call = ReadCall(sql);
    const TsqlProcedure* p = scripts_.procedure(call.database, call.name);
    if (!p)
      return fail(
          QStringLiteral("%1..%2 is not a procedure of the scripts").arg(call.database, call.name));
    QStringList declared;
    for (const TsqlColumn& parameter : p->parameters) {
      declared << parameter.name;
      if (!IsTextType(parameter.type))
        fail(QStringLiteral("%1: %2 is %3, but the client sends text")
                 .arg(call.name, parameter.name, parameter.type));
    }
    if (declared.join(u',').compare(call.arguments.join(u','), Qt::CaseInsensitive) != 0)
      fail(QStringLiteral("%1 takes (%2), but the client sends (%3)")
               .arg(call.name, declared.join(QStringLiteral(", ")),
                    call.arguments.join(QStringLiteral(", "))));
    if (p->statements.value(0).compare(QLatin1String("SET NOCOUNT ON"), Qt::CaseInsensitive) != 0)
      fail(QStringLiteral("%1 does not start with SET NOCOUNT ON").arg(call.name));
    const QStringList readingCalls = ReadingCalls();
    const bool reads = std::any_of(readingCalls.begin(), readingCalls.end(),
                                   [&](const QString& r) { return ReadCall(r).name == call.name; });
    if (!reads && !p->results.empty())
      fail(QStringLiteral("%1 returns rows, but the client only executes it").arg(call.name));
  }

  void checkResult(const QString& sql) {
    const Call call = ReadCall(sql);
    const TsqlProcedure* p = scripts_.procedure(call.database, call.name);
    if (!p) return;  // reported with the parameters
    const auto results =
        std::count_if(p->results.begin(), p->results.end(),
                      [](const TsqlSelect& select) { return !select.alternative; });
    if (results != 1)
      return fail(QStringLiteral("%1 returns %2 results; the client reads one")
                      .arg(call.name)
                      .arg(results));
    const Result embedded = Run(*connection_, sql);
    for (const TsqlSelect& select : p->results) {  // each branch's, alike
      if (select.ColumnNames() != embedded.fields)
        return fail(QStringLiteral("%1 returns (%2), but the client reads (%3)")
                        .arg(call.name, select.ColumnNames().join(QStringLiteral(", ")),
                             embedded.fields.join(QStringLiteral(", "))));
      for (size_t c = 0; c < select.columns.size(); ++c)
        checkSource(call, select, c, embedded);
    }
  }

  void checkPlainSelect(const QString& sql) {
    const std::vector<SqlToken> tokens = hospitaldb::TokenizeSql(sql);
    for (const auto& [database, name] : NamedTables(tokens)) {
      const TsqlTable* table = scripts_.table(database, name);
      if (!table) {
        fail(QStringLiteral("%1..%2, which the client selects from, is not made")
                 .arg(database, name));
        continue;
      }
      for (const QString& column : EmbeddedColumns(name)) {
        if (!IsWordIn(tokens, column)) continue;
        clientReads_[Key(database, name)] << column.toLower();
        if (!table->column(column))
          fail(QStringLiteral("%1..%2 has no column %3, which the client selects")
                   .arg(database, name, column));
      }
    }
  }

  // The role reads by column, and exactly the columns that the client's selects read.
  void checkGrants() {
    for (const TsqlGrant& grant : scripts_.grants()) {
      if (grant.permission != QLatin1String("SELECT")) continue;
      if (grant.columns.isEmpty()) {
        fail(QStringLiteral("the role may read the whole of %1..%2, not only the client's columns")
                 .arg(grant.database, grant.object));
        continue;
      }
      for (const QString& column : grant.columns)
        if (!clientReads_[Key(grant.database, grant.object)].contains(column.toLower()))
          fail(QStringLiteral("the role may read %1.%2, which the client never selects")
                   .arg(grant.object, column));
    }
    for (const auto& [table, columns] : clientReads_)
      for (const QString& column : columns)
        if (!Granted(table, column))
          fail(QStringLiteral("the role cannot read %1.%2, which the client selects")
                   .arg(table, column));
  }

  // Run under the client's login, the site check can read no more than the role may.
  void checkSiteCheckReads(const QString& siteCheck) {
    for (const std::vector<SqlToken>& statement : Statements(TokenizeScript(siteCheck)))
      for (const auto& [database, name] : NamedTables(statement)) {
        const TsqlTable* table = scripts_.table(database, name);
        for (const TsqlColumn& column : table ? table->columns : std::vector<TsqlColumn>{})
          if (IsWordIn(statement, column.name) && !Granted(Key(database, name), column.name))
            fail(QStringLiteral("the site check reads %1.%2, which the role cannot read")
                     .arg(name, column.name));
      }
  }

  // A date text must be read month/day/year under a login of any language.
  void checkDateOrder(const TsqlProcedure& p) {
    static const QRegularExpression conversion(
        QStringLiteral("\\bCONVERT \\( (date|datetime|datetime2|smalldatetime) ,"),
        QRegularExpression::CaseInsensitiveOption);
    bool fixed = false;
    for (const QString& statement : p.statements) {
      fixed =
          fixed || statement.compare(QLatin1String("SET DATEFORMAT mdy"), Qt::CaseInsensitive) == 0;
      const bool readsParameter =
          std::any_of(p.parameters.begin(), p.parameters.end(), [&](const TsqlColumn& parameter) {
            return statement.contains(parameter.name, Qt::CaseInsensitive);
          });
      if (!fixed && readsParameter && conversion.match(statement).hasMatch())
        return fail(QStringLiteral("%1 reads a date text before SET DATEFORMAT mdy").arg(p.name));
    }
  }

  // RAISERROR leaves the caller's batch running; a script of several calls would go on.
  void checkRefusals(const TsqlProcedure& p) {
    for (const QString& statement : p.statements)
      if (statement.split(u' ').contains(QLatin1String("RAISERROR"), Qt::CaseInsensitive))
        return fail(QStringLiteral("%1 refuses with RAISERROR, which does not end the batch: THROW")
                        .arg(p.name));
  }

  // A text parameter no wider than a column it may fill would cut an over-long value short
  // without a word, where the column refuses it.
  void checkParameterWidths(const TsqlProcedure& p) {
    int widest = 0;
    for (const TsqlTable& table : scripts_.tables())
      for (const TsqlColumn& column : table.columns)
        if (table.database.compare(p.database, Qt::CaseInsensitive) == 0 && IsTextType(column.type))
          widest = column.length == TsqlColumn::kMax ? INT_MAX : std::max(widest, column.length);
    for (const TsqlColumn& parameter : p.parameters)
      if (IsTextType(parameter.type) && parameter.length != TsqlColumn::kMax &&
          parameter.length <= widest)
        fail(QStringLiteral("%1: %2 is no wider than a column it may fill")
                 .arg(p.name, parameter.name));
  }

  void checkEmbeddedTables() {
    QSqlQuery tables(db_);
    tables.exec(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name LIKE 'tb%'"
                       " AND name <> 'tbServerInfo'"));
    while (tables.next()) {
      const QString name = tables.value(0).toString();
      const TsqlTable* table = scripts_.table(ServerDatabaseOf(name), name);
      if (!table) {
        fail(QStringLiteral("%1..%2 is not made").arg(ServerDatabaseOf(name), name));
        continue;
      }
      for (const QString& column : EmbeddedColumns(name))
        if (!table->column(column)) fail(QStringLiteral("%1 has no column %2").arg(name, column));
      for (const QString& leading : EmbeddedIndexes(name))
        if (!HasIndexOn(*table, leading))
          fail(QStringLiteral("%1 has no index on %2").arg(name, leading));
    }
  }

  QStringList problems;

 private:
  void fail(const QString& problem) { problems << problem; }

  bool Granted(const QString& table, const QString& column) const {
    return std::any_of(scripts_.grants().begin(), scripts_.grants().end(), [&](const TsqlGrant& g) {
      return g.permission == QLatin1String("SELECT") && Key(g.database, g.object) == table &&
             (g.columns.isEmpty() || g.columns.contains(column, Qt::CaseInsensitive));
    });
  }

  static std::vector<std::vector<SqlToken>> Statements(const std::vector<SqlToken>& tokens) {
    std::vector<std::vector<SqlToken>> statements(1);
    for (const SqlToken& token : tokens)
      if (token.kind == SqlToken::Kind::Symbol && token.text == u';')
        statements.emplace_back();
      else
        statements.back().push_back(token);
    return statements;
  }

  // A result column read from a table must name a column of it; a date must come from a date.
  void checkSource(const Call& call, const TsqlSelect& select, size_t c, const Result& embedded) {
    const TsqlResultColumn& column = select.columns[c];
    const bool date = std::any_of(embedded.rows.begin(), embedded.rows.end(), [&](const auto& row) {
      return row.value(int(c)).typeId() == QMetaType::QDateTime;
    });
    if (column.sourceColumn.isEmpty()) {
      if (date)
        fail(QStringLiteral("%1: %2 is not read from a date column").arg(call.name, column.name));
      return;
    }
    QString tableName;
    if (const auto it = select.tables.find(column.sourceAlias); it != select.tables.end())
      tableName = it->second;
    else if (column.sourceAlias.isEmpty() && select.tables.size() == 1)
      tableName = select.tables.begin()->second;
    const TsqlTable* table = scripts_.table(call.database, tableName);
    const TsqlColumn* source = table ? table->column(column.sourceColumn) : nullptr;
    if (!source)
      return fail(QStringLiteral("%1 reads %2, which no table of its FROM has")
                      .arg(call.name, column.sourceColumn));
    if (date && !IsDateType(source->type))
      fail(QStringLiteral("%1: %2 is a date to the client but %3 in %4")
               .arg(call.name, column.name, source->type, tableName));
  }

  QStringList EmbeddedColumns(const QString& table) const {
    QSqlQuery query(db_);
    query.exec(QStringLiteral("SELECT * FROM \"%1\" WHERE 0").arg(table));
    QStringList names;
    for (int i = 0; i < query.record().count(); ++i)
      names << query.record().fieldName(i);
    return names;
  }

  // The leading column of each index the embedded schema made by name.
  QStringList EmbeddedIndexes(const QString& table) const {
    QSqlQuery query(db_);
    query.exec(
        QStringLiteral("SELECT ii.name FROM pragma_index_list('%1') AS il,"
                       " pragma_index_info(il.name) AS ii WHERE il.origin = 'c' AND ii.seqno = 0")
            .arg(table));
    QStringList leading;
    while (query.next())
      leading << query.value(0).toString();
    return leading;
  }

  static bool HasIndexOn(const TsqlTable& table, const QString& leading) {
    return std::any_of(table.indexes.begin(), table.indexes.end(), [&](const QStringList& index) {
      return index.value(0).compare(leading, Qt::CaseInsensitive) == 0;
    });
  }

  const TsqlScripts& scripts_;
  std::map<QString, QSet<QString>> clientReads_;  // "database.table" -> columns, lower case
  QSqlDatabase db_;
  std::shared_ptr<platform::Connection> connection_;
};

}  // namespace

QStringList ReferenceScriptFiles(const QString& folder) {
  QStringList files;
  for (const char* name : {"01-databases.sql", "02-tables.sql", "03-procedures.sql",
                           "04-permissions.sql", "07-map-login.sql", "08-adopt-objects.sql"})
    files << QDir(folder).filePath(QString::fromLatin1(name));
  return files;
}

QStringList ContractProblems(const TsqlScripts& scripts, const QString& siteCheck) {
  QTemporaryDir folder;
  hospitaldb::EmbeddedServer server(folder.filePath(QStringLiteral("contract.sqlite")));
  server.SetNow(platform::WallClock(kDemoDay, QTime(10, 0)));
  server.SeedDemoData();
  Checker checker(scripts, server);
  for (const QString& sql : CallsNamingTheirParameters())
    checker.checkParameters(sql);
  for (const QString& sql : ReadingCalls())
    checker.checkResult(sql);
  for (const QString& sql : PlainSelects())
    checker.checkPlainSelect(sql);
  checker.checkGrants();
  checker.checkSiteCheckReads(siteCheck);
  for (const TsqlProcedure& p : scripts.procedures()) {
    checker.checkDateOrder(p);
    checker.checkRefusals(p);
    checker.checkParameterWidths(p);
  }
  checker.checkEmbeddedTables();
  return checker.problems + scripts.problems() + ScriptRuleProblems(scripts) +
         ThrowProblems(TokenizeScript(siteCheck), QStringLiteral("the site check"));
}

}  // namespace tools
