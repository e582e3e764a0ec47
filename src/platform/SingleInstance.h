#pragma once

#include <QString>
#include <memory>

namespace platform {

// The system-wide marker that tells a second copy of the program, for the same user on the
// same machine, that the first one runs. The marker of a copy that crashed does not block the
// next start. Kept in the user's runtime directory.
class SingleInstance {
 public:
  explicit SingleInstance(const QString& name = QStringLiteral("orscheduler"));
  ~SingleInstance();

  // Takes the marker if it is free. True when another running copy holds it.
  bool AnotherCopyRuns();
  // Gives the marker up (when this copy holds it), so that a next copy may start.
  void Release();

 private:
  class Marker;
  std::unique_ptr<Marker> marker_;
};

}  // namespace platform
