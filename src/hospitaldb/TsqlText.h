#pragma once

#include <QString>
#include <QStringView>

namespace hospitaldb {

// Text comparisons as SQL Server makes them under the hospital's case-insensitive collation
// for varchar data: case is ignored and trailing blanks are not significant (leading ones are).

// '=' and ORDER BY: negative, zero or positive.
int TsqlCompare(QStringView left, QStringView right);
inline bool TsqlEquals(QStringView left, QStringView right) {
  return TsqlCompare(left, right) == 0;
}

// `value LIKE pattern`: '%' any run of characters, '_' one character, "[abc]", "[a-f]" and
// "[^abc]" one character of (or not of) a set. A '[' without its ']' matches itself.
bool TsqlLike(QStringView value, QStringView pattern);

}  // namespace hospitaldb
