#include "hospitaldb/ClientStatements.h"

#include "platform/Errors.h"

namespace hospitaldb {

QString FillShape(const char* shape, const QStringList& literals) {
  const QString text = QString::fromLatin1(shape);
  QString filled;
  qsizetype next = 0;
  for (const QChar c : text) {
    if (c != u'?') {
      filled += c;
    } else if (next < literals.size()) {
      filled += literals[next++];
    } else {
      next = -1;
      break;
    }
  }
  if (next != literals.size())
    throw platform::RuntimeError(
        QStringLiteral("The statement \"%1\" takes other values than the %2 given.")
            .arg(text)
            .arg(literals.size()));
  return filled;
}

}  // namespace hospitaldb
