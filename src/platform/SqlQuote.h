#pragma once

#include <QString>

namespace platform {

// The one quoting helper: a value placed between single quotes in a statement text has each
// apostrophe doubled, so that O'BRIEN arrives intact and cannot end the literal early.
QString SqlQuote(const QString& value);

// The value as a quoted literal: 'O''BRIEN'. A value with any character beyond ASCII becomes a
// Unicode literal, N'ЖУКОВА': SQL Server turns a plain literal into the code page of the
// connection's current database before a procedure sees it, and a name outside that code page
// would arrive as question marks. An ASCII value gives the plain literal, word for word.
QString SqlLiteral(const QString& value);

}  // namespace platform
