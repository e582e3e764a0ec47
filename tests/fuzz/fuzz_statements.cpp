// libFuzzer's entry: statement texts of every shape thrown at the embedded server.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdint>

#include "fuzz/StatementFuzz.h"
#include "hospitaldb/EmbeddedServer.h"

namespace {

// Made once and never destroyed: the fuzzer ends the process from inside its loop, and Qt's
// own registries may already be gone by the time static objects would be destroyed.
hospitaldb::EmbeddedServer* server = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  new QCoreApplication(*argc, *argv);
  auto* folder = new QTemporaryDir;
  server = new hospitaldb::EmbeddedServer(folder->filePath(QStringLiteral("fuzz.sqlite")));
  server->SeedDemoData();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ReadLikeTheServer(
      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), *server);
  return 0;
}
