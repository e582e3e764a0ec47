#pragma once

#include <QStringList>

#include "tools/SqlServerScripts.h"
#include "tools/TsqlScripts.h"

namespace tools {

// The scripts of a folder that make the databases and their objects, in the order a site runs
// them, and the adopt script (the demo data and the site check are left out: they make
// nothing).
QStringList ReferenceScriptFiles(const QString& folder);

// Everything in the scripts that the client would not survive, each named in one line; empty
// when the scripts serve every statement the client sends. What the embedded database, seeded
// with its demo data, returns for a call is what the client is built to read.
//   * each procedure the client calls exists in the database the client names, takes exactly
//     the client's arguments in the client's order, all as text, and starts with SET NOCOUNT ON;
//   * a procedure the client reads returns one result with the embedded result's column names
//     in its order, reading columns its tables have, dates from datetime columns; a procedure
//     the client only executes returns none;
//   * the tables the client selects from have every column the client's select names;
//   * every table of the embedded database has its columns and its indexes there too;
//   * a procedure that reads a date text fixes the date order first (SET DATEFORMAT mdy), it
//     refuses with THROW (which ends the caller's batch), and every text parameter is wider
//     than any column it may fill, or nvarchar(max);
//   * the role reads by column, exactly the columns the client's selects read, and the site
//     check (`siteCheck`, run under the client's login) reads nothing else.
//   * no batch holds what SQL Server refuses (TsqlScripts::problems()), and no THROW of the
//     site check is numbered below 50000;
//   * the scripts keep their own rules (ScriptRuleProblems).
QStringList ContractProblems(const TsqlScripts& scripts,
                             const QString& siteCheck = ClientCallsScript());

}  // namespace tools
