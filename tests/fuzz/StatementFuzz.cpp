#include "fuzz/StatementFuzz.h"

#include "hospitaldb/EmbeddedServer.h"
#include "hospitaldb/StatementShape.h"
#include "hospitaldb/TsqlDate.h"
#include "hospitaldb/TsqlText.h"
#include "platform/Connection.h"
#include "platform/Errors.h"

namespace fuzz {
namespace {

template <class Action>
void Answered(Action&& action) {
  try {
    action();
  } catch (const platform::DatabaseError&) {
    // The server refused the text, as it should refuse a text it does not take.
  }
}

}  // namespace

void ReadLikeTheServer(const QByteArray& input, hospitaldb::EmbeddedServer& server) {
  const QString text = QString::fromUtf8(input);
  Answered([&] {
    std::vector<hospitaldb::SqlToken> tokens = hospitaldb::TokenizeSql(text);
    hospitaldb::DropLeadingExec(tokens);
    hospitaldb::ReadProcedureCall(tokens);
  });
  hospitaldb::ReadTsqlDateTime(text);
  const qsizetype half = text.size() / 2;
  hospitaldb::TsqlLike(QStringView(text).left(half), QStringView(text).mid(half));
  hospitaldb::TsqlCompare(QStringView(text).left(half), QStringView(text).mid(half));
  Answered([&] {
    auto rows = server.Connect()->Open(text);
    for (int read = 0; !rows->AtEnd() && read < 50; ++read, rows->MoveNext())
      for (int field = 0; field < rows->FieldCount(); ++field)
        rows->Text(field);
    rows->Close();
  });
}

}  // namespace fuzz
