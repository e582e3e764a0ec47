#pragma once

#include <QString>

namespace suite {

// The code-search component's own statement: the doctors whose last name begins with the
// trimmed text, or whose code is the text as typed, by name. Its fields are the list's
// columns: CODE, [LAST NAME], [FIRST NAME], SPECIALTY. Values go through the quoting helper.
QString DoctorSearchSql(const QString& text);

}  // namespace suite
