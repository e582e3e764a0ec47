#pragma once

#include <QByteArray>

namespace hospitaldb {
class EmbeddedServer;
}

namespace fuzz {

// Hands one input, read as UTF-8 text, to everything of the embedded server that reads the
// client's statement texts: the tokenizer and the shapes of the known statements, the call
// reader, the T-SQL date reading and comparisons, and the server itself. A failure the server
// reports (platform::DatabaseError) is an answer; anything else that goes wrong is a fault.
void ReadLikeTheServer(const QByteArray& input, hospitaldb::EmbeddedServer& server);

}  // namespace fuzz
