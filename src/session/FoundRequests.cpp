#include "session/FoundRequests.h"

#include "platform/Connection.h"
#include "platform/Format.h"
#include "session/Statements.h"

namespace session {

bool IsSearchable(const QString& text) {
  const QString key = text.trimmed();
  bool isNumber = false;
  key.toInt(&isNumber);
  return isNumber || key.size() >= 2;
}

FoundRequests FindRequests(platform::Connection& connection, const QString& text) {
  auto rows = connection.Open(FindRequestsSql(text), platform::CursorType::ForwardOnly,
                              platform::LockType::ReadOnly);
  const auto textOf = [&](const char* field) {
    return platform::DefaultText(rows->Field(QString::fromLatin1(field)));
  };
  FoundRequests found;
  for (; !rows->AtEnd(); rows->MoveNext()) {
    if (int(found.requests.size()) == kMostFound) {
      found.more = true;
      break;
    }
    found.requests.push_back({platform::TryToDateTime(rows->Field(QStringLiteral("OperationDate"))),
                              textOf("PatientName"), textOf("ProcedureName"), textOf("ORRoom"),
                              textOf("Surgeon"), textOf("Status"), textOf("TransNum")});
  }
  rows->Close();
  return found;
}

}  // namespace session
