#include "platform/Csv.h"

#include <QSaveFile>

#include "platform/Errors.h"

namespace platform {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kRecordEnd[] = "\r\n";

bool StartsLikeAFormula(const QString& text) {
  if (text.isEmpty()) return false;
  switch (text.front().unicode()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
      return true;
    default:
      return false;
  }
}

bool NeedsQuotes(const QString& text) {
  for (QChar c : text)
    if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\n') ||
        c == QLatin1Char('\r'))
      return true;
  // Some readers trim unquoted fields; quotes keep a status such as " R " as it is listed.
  return !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
}

void AppendRecord(QByteArray& out, const QStringList& fields) {
  for (qsizetype i = 0; i < fields.size(); ++i) {
    if (i > 0) out.append(',');
    out.append(CsvField(fields[i]).toUtf8());
  }
  out.append(kRecordEnd);
}

}  // namespace

QString CsvField(const QString& text) {
  QString field = StartsLikeAFormula(text) ? QLatin1Char('\'') + text : text;
  if (!NeedsQuotes(field)) return field;
  field.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + field + QLatin1Char('"');
}

QByteArray CsvBytes(const TextTable& table) {
  QByteArray out(kByteOrderMark);
  AppendRecord(out, table.header);
  for (const QStringList& row : table.rows)
    AppendRecord(out, row);
  return out;
}

void SaveCsv(const QString& path, const TextTable& table) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(CsvBytes(table)) < 0 || !file.commit())
    throw RuntimeError(
        QStringLiteral("The file %1 could not be written: %2").arg(path, file.errorString()));
}

}  // namespace platform
