#pragma once

#include <QString>

namespace platform {

// The one quoting helper: a value placed between single quotes in a statement text has each
// apostrophe doubled, so that O'BRIEN arrives intact and cannot end the literal early.
QString SqlQuote(const QString& value);

}  // namespace platform
