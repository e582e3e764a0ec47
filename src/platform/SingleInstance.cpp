#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace platform {

SingleInstance::SingleInstance(const QString& name) {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  QDir().mkpath(folder);
  lock_ = std::make_unique<QLockFile>(QDir(folder).filePath(name + QStringLiteral(".lock")));
  // Never old enough to be taken over while its owner lives; the marker of a process that has
  // ended (a crash) is recognised by its process id and taken over.
  lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::AnotherCopyRuns() {
  if (lock_->isLocked() || lock_->tryLock(0)) return false;
  // Only a marker held by a live copy refuses the start; a folder we cannot write to must not
  // keep the program from running.
  return lock_->error() == QLockFile::LockFailedError;
}

void SingleInstance::Release() {
  if (lock_->isLocked()) lock_->unlock();
}

}  // namespace platform
