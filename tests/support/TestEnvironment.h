#pragma once

#include <QTemporaryDir>

namespace testsupport {

// Points everything a test touches on disk (the embedded database, the single-instance marker)
// into a fresh temporary folder, so that tests never meet each other's or a user's files.
class TestEnvironment {
 public:
  TestEnvironment();
  ~TestEnvironment();

  QString path(const QString& fileName) const { return dir_.filePath(fileName); }
  QString databasePath() const { return path(QStringLiteral("hospital.sqlite")); }

 private:
  QTemporaryDir dir_;
  QByteArray oldDatabase_, oldRuntime_, oldOdbc_, oldEmployee_;
};

}  // namespace testsupport
