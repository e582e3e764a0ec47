#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "platform/Errors.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/MsgBox.h"
#include "support/MsgBoxRecorder.h"

using namespace platform;
using testsupport::MsgBoxRecorder;

namespace {

// A sender with a signal that carries an argument, as a picker's change or a grid's click.
class Sender : public QObject {
  Q_OBJECT
 signals:
  void raised(int value);
};

}  // namespace

class TestErrorReport : public QObject {
  Q_OBJECT

 private slots:
  void reportFailureNamesTheFailure_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("database") << QStringLiteral("database")
                              << QStringLiteral("Could not find stored procedure 'x'.");
    QTest::newRow("component") << QStringLiteral("component")
                               << QStringLiteral("Unknown member \u00e9");
    QTest::newRow("standard") << QStringLiteral("standard") << QStringLiteral("bad_alloc-ish");
  }
  void reportFailureNamesTheFailure() {
    QFETCH(QString, kind);
    QFETCH(QString, message);
    MsgBoxRecorder recorder;
    if (kind == QLatin1String("database"))
      ReportFailure(DatabaseError(message));
    else if (kind == QLatin1String("component"))
      ReportFailure(ComponentError(message));
    else
      ReportFailure(std::runtime_error(message.toStdString()));
    QCOMPARE(recorder.count(), 1);
    QCOMPARE(recorder.last().prompt, message);
    QCOMPARE(recorder.last().style & 0x70, int(vbCritical));
    QCOMPARE(recorder.last().style & 7, int(vbOKOnly));
    QCOMPARE(recorder.last().title, QStringLiteral("OR Scheduler"));
    QCOMPARE(AppTitle(), QStringLiteral("OR Scheduler"));
  }

  void guardedReportsOnceAndReturnsFalse() {
    MsgBoxRecorder recorder;
    int stepsDone = 0;
    const bool ok = Guarded([&] {
      ++stepsDone;
      throw DatabaseError(QStringLiteral("Timeout expired"));
    });
    QVERIFY(!ok);
    QCOMPARE(stepsDone, 1);
    QCOMPARE(recorder.prompts(), QStringList{QStringLiteral("Timeout expired")});
    QVERIFY(Guarded([&] { ++stepsDone; }));
    QCOMPARE(recorder.count(), 1);
    // Not even an exception of no known kind leaves the action.
    QVERIFY(!Guarded([] { throw 42; }));
    QCOMPARE(recorder.count(), 2);
  }

  // A failing handler, raised from the event loop as a user's click or a timer's tick is:
  // reported once, the loop goes on, and the next signal runs the handler again.
  void aConnectedHandlerReportsItsFailureAndKeepsWorking() {
    MsgBoxRecorder recorder;
    Sender sender;
    QList<int> handled;
    ConnectGuarded(&sender, &Sender::raised, this, [&](int value) {
      handled << value;
      if (value == 1) throw DatabaseError(QStringLiteral("General network error."));
    });
    QTimer::singleShot(0, &sender, [&] { emit sender.raised(1); });
    QTimer::singleShot(0, &sender, [&] { emit sender.raised(2); });
    QTRY_COMPARE(handled, (QList<int>{1, 2}));
    QCOMPARE(recorder.prompts(), QStringList{QStringLiteral("General network error.")});

    // A window that must not open message boxes passes its own report; a handler may ignore
    // the signal's arguments.
    QStringList lines;
    ConnectGuarded(
        &sender, &Sender::raised, this, [] { throw DatabaseError(QStringLiteral("Timeout")); },
        [&](const std::exception& error) { lines << QString::fromUtf8(error.what()); });
    emit sender.raised(3);
    QCOMPARE(lines, QStringList{QStringLiteral("Timeout")});
    QCOMPARE(recorder.count(), 1);  // no message box for it
  }
};

QTEST_MAIN(TestErrorReport)
#include "test_error_report.moc"
