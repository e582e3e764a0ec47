#pragma once

#include <QStringList>

#include "tools/TsqlScripts.h"

namespace tools {

// What the scripts must do beside serving the client's statements, each breach named in one
// line:
//   * a trigger of tbORSchedule, after INSERT and UPDATE, refuses a code in EncodedBy,
//     UpdatedBy, ConfirmedByCode or RevokedByCode other than the employee of ORIGINAL_LOGIN()
//     while the setting EnforceLoginEmployee of tbORSetting says so;
//   * no procedure bounds OperationDate by a variable other than a parameter;
//   * nothing is made before a batch checks the server's version (SERVERPROPERTY);
//   * only that batch raises an error of severity 11 or more outside the procedures (the
//     planned stop at a site's own object is printed), and a script that may set NOEXEC on sets
//     it off at its end;
//   * no text holds a sqlcmd variable ($(Name));
//   * each procedure, function and trigger is made after a batch that names it (the guard) and
//     marked by a later one (dbo.sp_MarkORObject), and 08-adopt-objects.sql, where it is read,
//     adopts it.
QStringList ScriptRuleProblems(const TsqlScripts& scripts);

}  // namespace tools
