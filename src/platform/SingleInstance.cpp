#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#else
#include <QLockFile>
#endif

namespace platform {

#ifdef Q_OS_UNIX

// An advisory lock on the marker file, held while this object keeps the file open. The system
// drops it when the process ends, however it ends, so the marker of a crashed copy never
// blocks; a second open of the file, in this process or another, cannot take it meanwhile.
// QLockFile takes the same lock but also syncs the marker to disk, and that sync alone took 7
// to 20 ms of a 35 ms start when the disk was busy. A marker that means nothing after the
// machine restarts needs no sync.
class SingleInstance::Marker {
 public:
  explicit Marker(const QString& path) : path_(QFile::encodeName(path)) {}
  ~Marker() { release(); }

  bool held() const { return fd_ >= 0; }
  // False when another holder has the lock (`busy`) or the file cannot be opened.
  bool take(bool& busy) {
    busy = false;
    const int fd = ::open(path_.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      busy = errno == EWOULDBLOCK;
      ::close(fd);
      return false;
    }
    fd_ = fd;
    // The holder's process id, for whoever looks; the lock does not need it.
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (::ftruncate(fd_, 0) == 0 && ::write(fd_, pid.constData(), size_t(pid.size())) < 0) {
      // Nothing lost: the lock holds without the text.
    }
    return true;
  }
  void release() {
    if (fd_ < 0) return;
    ::close(fd_);  // drops the lock; the file stays for the next copy to lock
    fd_ = -1;
  }

 private:
  QByteArray path_;
  int fd_ = -1;
};

#else

class SingleInstance::Marker {
 public:
  explicit Marker(const QString& path) : lock_(path) {
    // Never old enough to be taken over while its owner lives; the marker of a process that has
    // ended (a crash) is recognised by its process id and taken over.
    lock_.setStaleLockTime(0);
  }

  bool held() const { return lock_.isLocked(); }
  bool take(bool& busy) {
    busy = false;
    if (lock_.tryLock(0)) return true;
    busy = lock_.error() == QLockFile::LockFailedError;
    return false;
  }
  void release() {
    if (lock_.isLocked()) lock_.unlock();
  }

 private:
  QLockFile lock_;
};

#endif

SingleInstance::SingleInstance(const QString& name) {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  QDir().mkpath(folder);
  marker_ = std::make_unique<Marker>(QDir(folder).filePath(name + QStringLiteral(".lock")));
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::AnotherCopyRuns() {
  bool busy = false;
  if (marker_->held() || marker_->take(busy)) return false;
  // Only a marker held by a live copy refuses the start; a folder we cannot write to must not
  // keep the program from running.
  return busy;
}

void SingleInstance::Release() {
  marker_->release();
}

}  // namespace platform
