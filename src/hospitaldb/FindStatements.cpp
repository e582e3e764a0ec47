// The statement that finds a patient's requests across dates.
#include <QHash>

#include "hospitaldb/ScheduleStore.h"
#include "hospitaldb/ServerState.h"
#include "hospitaldb/SqlHelpers.h"
#include "hospitaldb/StatementHandlers.h"

namespace hospitaldb {
namespace {

// One more than the client lists, so that it can say when more requests match.
constexpr int kMostFound = 201;

// The most ranges of the name's index one find reads (see NoCasePrefixes).
constexpr qsizetype kMostRanges = 8;

const char* const kFoundSelect =
    "SELECT s.OperationDate, s.PatientName, s.ProcedureName, ifnull(r.RoomName, '') AS ORRoom,"
    " s.Surgeon, s.Status, s.TransNum"
    " FROM tbORSchedule s LEFT JOIN tbOrRoom r ON r.RoomID = s.ORRoomID WHERE %1"
    " ORDER BY s.OperationDate DESC, s.TransNum DESC LIMIT %2";

// The letters that equal `ch` case aside, as the server compares names (TsqlCompare folds
// them), less the ones SQLite's NOCASE already equates with another (A-Z are a-z there).
const std::vector<QChar>& CaseVariants(QChar ch) {
  static const QHash<char16_t, std::vector<QChar>> byFold = [] {
    QHash<char16_t, std::vector<QChar>> classes;
    for (char32_t code = 0; code <= 0xFFFF; ++code) {
      const QChar letter{char16_t(code)};
      if (letter.isSurrogate() || (code >= u'A' && code <= u'Z')) continue;
      classes[letter.toCaseFolded().unicode()].push_back(letter);
    }
    return classes;
  }();
  return *byFold.constFind(ch.toCaseFolded().unicode());
}

// The beginnings under which the name's NOCASE index holds every name that begins with `key`,
// case aside: the key's characters, each in every case NOCASE does not equate (an "ñ" also as
// "Ñ"), for as many characters as keep the ranges few, and none past a character outside the
// Basic Multilingual Plane. A superset of the names: the exact comparison follows. Empty when
// not even the first character can be taken.
QStringList NoCasePrefixes(const QString& key) {
  QStringList prefixes{QString()};
  for (const QChar ch : key) {
    if (ch.isSurrogate()) break;
    const std::vector<QChar>& variants = CaseVariants(ch);
    if (prefixes.size() * qsizetype(variants.size()) > kMostRanges) break;
    QStringList longer;
    for (const QString& prefix : prefixes)
      for (const QChar variant : variants)
        longer << prefix + variant;
    prefixes = longer;
  }
  return prefixes.first().isEmpty() ? QStringList() : prefixes;
}

// The least text after every text that begins with `prefix`: its last character (one of the
// BMP) raised by one code point, past the surrogates.
QString AfterPrefix(const QString& prefix) {
  const char16_t last = prefix.back().unicode();
  const QString stem = prefix.chopped(1);
  if (last == 0xFFFF) return stem + QString::fromUcs4(U"\U00010000");
  return stem + QChar(char16_t(last == 0xD7FF ? 0xE000 : last + 1));
}

// What was typed as a LIKE pattern of the names that begin with it: its wildcards are text.
QString PrefixPattern(QString key) {
  key.replace(u'[', QStringLiteral("[[]"))
      .replace(u'%', QStringLiteral("[%]"))
      .replace(u'_', QStringLiteral("[_]"));
  return key + u'%';
}

}  // namespace

QSqlQuery SelectFoundSchedules(const QSqlDatabase& db, const QString& searchText) {
  const QString key = searchText.trimmed();
  bool isNumber = false;
  const int transNum = key.toInt(&isNumber);
  QString condition = QStringLiteral("0");  // a single letter would list half the hospital
  QVariantList values;
  if (isNumber) {
    condition = QStringLiteral("s.TransNum = ?");
    values = {transNum};
  } else if (key.size() >= 2) {
    // The ranges of the name's index, then the names that begin with the key as the server
    // compares them: what the key holds is text, never a pattern.
    QStringList ranges;
    for (const QString& prefix : NoCasePrefixes(key)) {
      ranges << QStringLiteral(
          "(s.PatientName COLLATE NOCASE >= ? AND s.PatientName COLLATE NOCASE < ?)");
      values << prefix << AfterPrefix(prefix);
    }
    condition = QStringLiteral("tsql_like(s.PatientName, ?)");
    values << PrefixPattern(key);
    if (!ranges.isEmpty())
      condition = QStringLiteral("(%1) AND %2").arg(ranges.join(QStringLiteral(" OR ")), condition);
  }
  QSqlQuery query =
      PrepareQuery(db, QString::fromLatin1(kFoundSelect).arg(condition).arg(kMostFound));
  for (const QVariant& value : values)
    query.addBindValue(value);
  ExecQuery(query);
  return query;
}

// values: a transaction number, or the beginning of a patient's name (two characters at least).
// The newest requests first.
std::unique_ptr<platform::Recordset> FindSchedules(const StatePtr& state,
                                                   const QStringList& values) {
  return MakeRecordset(state, SelectFoundSchedules(state->database(), values[0]), {0});
}

}  // namespace hospitaldb
