#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <cstdio>
#include <cstring>

#include "platform/SingleInstance.h"
#include "support/TestEnvironment.h"

using platform::SingleInstance;
using testsupport::TestEnvironment;

namespace {

const char kHoldArgument[] = "--hold-single-instance";

// The second copy of the program: takes the marker, says so, and runs until it is killed.
int HoldMarker(const QString& name) {
  SingleInstance marker(name);
  if (marker.AnotherCopyRuns()) {
    std::puts("busy");
    return 2;
  }
  std::puts("holding");
  std::fflush(stdout);
  return QCoreApplication::exec();
}

class Holder {
 public:
  explicit Holder(const QString& name) {
    process_.setProgram(QCoreApplication::applicationFilePath());
    process_.setArguments({QString::fromLatin1(kHoldArgument), name});
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
  }
  ~Holder() { crash(); }

  bool holds() {
    return QTest::qWaitFor(
               [this] {
                 return process_.state() == QProcess::NotRunning || process_.canReadLine();
               },
               20000) &&
           process_.readLine().trimmed() == "holding";
  }
  // Ends the copy without any clean-up, as a crash would, and waits until it is gone.
  void crash() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished();
  }

 private:
  QProcess process_;
};

QString MarkerPath(const QString& name) {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
      .filePath(name + QStringLiteral(".lock"));
}

}  // namespace

class TestSingleInstance : public QObject {
  Q_OBJECT

 private slots:
  void secondHolderInThisProcessIsRefused();
  void anotherLiveProcessBlocksUntilItEnds();
  void markerOfACrashedCopyDoesNotBlock();
};

void TestSingleInstance::secondHolderInThisProcessIsRefused() {
  TestEnvironment environment;
  auto first = std::make_unique<SingleInstance>(QStringLiteral("orsched-a"));
  QVERIFY(!first->AnotherCopyRuns());
  QVERIFY(!first->AnotherCopyRuns());  // asking again does not refuse itself
  QVERIFY(QFile::exists(MarkerPath(QStringLiteral("orsched-a"))));

  SingleInstance second(QStringLiteral("orsched-a"));
  QVERIFY(second.AnotherCopyRuns());
  first.reset();
  QVERIFY(!second.AnotherCopyRuns());
}

void TestSingleInstance::anotherLiveProcessBlocksUntilItEnds() {
  TestEnvironment environment;
  const QString name = QStringLiteral("orsched-b");
  {
    Holder other(name);
    QVERIFY(other.holds());
    SingleInstance mine(name);
    QVERIFY(mine.AnotherCopyRuns());
    QVERIFY(mine.AnotherCopyRuns());
  }
  SingleInstance mine(name);
  QVERIFY(!mine.AnotherCopyRuns());
}

void TestSingleInstance::markerOfACrashedCopyDoesNotBlock() {
  TestEnvironment environment;
  const QString name = QStringLiteral("orsched-c");
  Holder crashed(name);
  QVERIFY(crashed.holds());
  crashed.crash();
  QVERIFY2(QFile::exists(MarkerPath(name)), "the killed copy should have left its marker");

  SingleInstance next(name);
  QVERIFY(!next.AnotherCopyRuns());
  // And it now holds the marker itself.
  Holder late(name);
  QVERIFY(!late.holds());
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc == 3 && std::strcmp(argv[1], kHoldArgument) == 0)
    return HoldMarker(QString::fromLocal8Bit(argv[2]));
  TestSingleInstance test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_singleinstance.moc"
