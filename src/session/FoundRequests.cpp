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
  // Each field by its name, looked up once.
  enum { kDate, kPatient, kProcedure, kRoom, kSurgeon, kStatus, kTransNum, kFields };
  static const char* const kNames[kFields] = {
      "OperationDate", "PatientName", "ProcedureName", "ORRoom", "Surgeon", "Status", "TransNum"};
  int at[kFields];
  for (int f = 0; f < kFields; ++f) {
    at[f] = rows->FieldIndex(QString::fromLatin1(kNames[f]));
    if (at[f] < 0) rows->Field(QString::fromLatin1(kNames[f]));  // throws, naming the field
  }
  FoundRequests found;
  for (; !rows->AtEnd(); rows->MoveNext()) {
    if (int(found.requests.size()) == kMostFound) {
      found.more = true;
      break;
    }
    bool isNumber = false;
    const qint64 transNum = rows->Text(at[kTransNum]).trimmed().toLongLong(&isNumber);
    found.requests.push_back(
        {platform::TryToDateTime(rows->Value(at[kDate])), rows->Text(at[kPatient]),
         rows->Text(at[kProcedure]), rows->Text(at[kRoom]), rows->Text(at[kSurgeon]),
         StatusOf(rows->Text(at[kStatus])), isNumber ? std::optional(transNum) : std::nullopt});
  }
  rows->Close();
  return found;
}

}  // namespace session
