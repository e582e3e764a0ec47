#include "tools/ScriptContract.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include "hospitaldb/EmbeddedServer.h"
#include "hospitaldb/StatementShape.h"
#include "platform/Connection.h"
#include "platform/WallClock.h"
#include "session/ORSchedule.h"
#include "session/Statements.h"
#include "suite/DoctorSearch.h"

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
  r.surgeonCode = QStringLiteral("@SurgeonCode");
  r.anesCode = QStringLiteral("@AnesCode");
  r.operationDate = QStringLiteral("@OperationDate");
  r.remarks = QStringLiteral("@Remarks");
  r.cNurseCode = QStringLiteral("@CNurseCode");
  r.sNurseCode = QStringLiteral("@SNurseCode");
  r.sNurse2Code = QStringLiteral("@SNurse2Code");
  r.surgeon1Code = QStringLiteral("@Surgeon1Code");
  r.surgeon2Code = QStringLiteral("@Surgeon2Code");
  r.anes2Code = QStringLiteral("@Anes2Code");
  r.procedure = QStringLiteral("@ProcedureName");
  r.patientRoom = QStringLiteral("@RoomNo");
  r.transNum = QStringLiteral("@TransNum");
  r.asstDocCode = QStringLiteral("@AsstDocCode");
  return {ScheduleListSql(QStringLiteral("@ScheduleDate")),
          RoomListSql(),
          RoomCodeSql(QStringLiteral("@RoomName")),
          SaveScheduleSql(r, QStringLiteral("@EncodedBy"), QStringLiteral("@DateEncoded")),
          UpdateScheduleSql(QStringLiteral("@Status"), QStringLiteral("@EmployeeCode"),
                            QStringLiteral("@TransNum")),
          ConfirmedListSql()};
}

// The calls whose rows the client reads, with values the demo day answers.
QStringList ReadingCalls() {
  using namespace session;
  return {ScheduleListSql(kDemoDay.toString(QStringLiteral("MM/dd/yyyy"))), RoomListSql(),
          RoomCodeSql(QStringLiteral("OR 1")), ConfirmedListSql()};
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
    if (p->results.size() != 1)
      return fail(QStringLiteral("%1 returns %2 results; the client reads one")
                      .arg(call.name)
                      .arg(p->results.size()));
    const TsqlSelect& select = p->results.front();
    const Result embedded = Run(*connection_, sql);
    if (select.ColumnNames() != embedded.fields)
      return fail(QStringLiteral("%1 returns (%2), but the client reads (%3)")
                      .arg(call.name, select.ColumnNames().join(QStringLiteral(", ")),
                           embedded.fields.join(QStringLiteral(", "))));
    for (size_t c = 0; c < select.columns.size(); ++c)
      checkSource(call, select, c, embedded);
  }

  void checkPlainSelect(const QString& sql) {
    const std::vector<SqlToken> tokens = hospitaldb::TokenizeSql(sql);
    for (size_t i = 0; i + 3 < tokens.size(); ++i) {
      if (tokens[i].kind != SqlToken::Kind::Word || tokens[i + 1].text != u'.' ||
          tokens[i + 2].text != u'.')
        continue;
      const QString database = tokens[i].text, name = tokens[i + 3].text;
      const TsqlTable* table = scripts_.table(database, name);
      if (!table) {
        fail(QStringLiteral("%1..%2, which the client selects from, is not made")
                 .arg(database, name));
        continue;
      }
      const QStringList embeddedColumns = EmbeddedColumns(name);
      for (const SqlToken& word : tokens)
        if (word.kind == SqlToken::Kind::Word &&
            embeddedColumns.contains(word.text, Qt::CaseInsensitive) && !table->column(word.text))
          fail(QStringLiteral("%1..%2 has no column %3, which the client selects")
                   .arg(database, name, word.text));
    }
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
  QSqlDatabase db_;
  std::shared_ptr<platform::Connection> connection_;
};

}  // namespace

QStringList ReferenceScriptFiles(const QString& folder) {
  QStringList files;
  for (const char* name :
       {"01-databases.sql", "02-tables.sql", "03-procedures.sql", "04-permissions.sql"})
    files << QDir(folder).filePath(QString::fromLatin1(name));
  return files;
}

QStringList ContractProblems(const TsqlScripts& scripts) {
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
  checker.checkEmbeddedTables();
  return checker.problems;
}

}  // namespace tools
