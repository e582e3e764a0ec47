#pragma once

#include <QString>
#include <QStringList>

namespace tools {

// The embedded database's demo data as one T-SQL batch for empty SCHEDULE and PASSWORD
// databases: the same rooms, doctors, staff and requests, the requests' dates counted from the
// day the script runs, as the embedded seed counts them from the server's date.
QString DemoDataScript();

// A script a site runs to see that its server answers the client: every statement text the
// client sends, built by the client's own statement builders and run as it sends them, the
// writes inside a transaction that is rolled back.
QString ClientCallsScript();

// The same statements with sample values (one with an apostrophe), one a line, for a T-SQL
// parser, after the settings each session starts with: a procedure call gets EXEC in front,
// which the client leaves out as the first statement of a batch may.
QStringList ClientStatementsToParse();

}  // namespace tools
