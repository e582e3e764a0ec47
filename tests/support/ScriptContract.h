#pragma once

#include <QStringList>

#include "support/TsqlScripts.h"

namespace testsupport {

class DatabaseFixture;

// The folder of the reference SQL Server scripts, and their files in the order a site runs them.
QString SqlServerScriptFolder();
QStringList SqlServerScriptFiles();

// Everything in the scripts that the client would not survive, each named in one line; empty
// when the scripts serve every statement the client sends. `db` is a seeded embedded database
// on its default day: what it returns for a call is what the client is built to read.
//   * each procedure the client calls exists in the database the client names, takes exactly
//     the client's arguments in the client's order, all as text, and starts with SET NOCOUNT ON;
//   * a procedure the client reads returns one result with the embedded result's column names
//     in its order, reading columns its tables have, dates from datetime columns; a procedure
//     the client only executes returns none;
//   * the tables the client selects from have every column the client's select names;
//   * every table of the embedded database has its columns and its indexes there too.
QStringList ContractProblems(const TsqlScripts& scripts, const DatabaseFixture& db);

}  // namespace testsupport
