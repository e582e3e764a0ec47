// "Day by Room" through the main window: the listed day's requests as blocks by room and time.
#include <QTest>
#include <QWidget>

#include "platform/WallClock.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "requests/DayPlan.h"
#include "requests/RequestList.h"
#include "requests/frmDayByRoom.h"
#include "session/RequestListing.h"
#include "support/MainWindowFixture.h"

using testsupport::MainWindowFixture;

namespace {

const QDate kDay(2027, 1, 20);  // a day without demo requests

}  // namespace

class TestDayByRoom : public QObject {
  Q_OBJECT

 private slots:
  // Each block in its room's column (the rooms as listed), from its start down to its end; blocks
  // that overlap in one room stand side by side and are outlined as clashes, touching ones not.
  // The arrow keys lead from the first block to the block reached, and Enter selects its request
  // in the main list.
  void blocksArePlacedByRoomAndTime_data() {
    QTest::addColumn<QStringList>("requests");  // "room hh:mm minutes", 0: none known
    QTest::addColumn<QStringList>("blocks");    // in the window's order
    QTest::addColumn<QString>("keys");          // from the first block
    QTest::addColumn<int>("reached");
    const auto row = [](const char* name, const char* requests, const char* blocks,
                        const char* keys, int reached) {
      QTest::newRow(name) << QString::fromUtf8(requests).split(u'|')
                          << QString::fromUtf8(blocks).split(u'|') << QString::fromUtf8(keys)
                          << reached;
    };
    row("back to back", "OR01 09:00 60|OR01 08:00 60",
        "OR 1: 8:00 AM to 9:00 AM, lane 1/1|OR 1: 9:00 AM to 10:00 AM, lane 1/1", "Down Down", 1);
    row("an overlap", "OR01 08:00 120|OR01 08:30 60",
        "OR 1: 8:00 AM to 10:00 AM, lane 1/2, clash|OR 1: 8:30 AM to 9:30 AM, lane 2/2, clash",
        "Down Up", 0);
    row("rooms in the list's order, an end unknown", "OR02 07:00 0|OR01 13:15 45",
        "OR 1: 1:15 PM to 2:00 PM, lane 1/1|OR 2: 7:00 AM, no known end, lane 1/1", "Right Down",
        1);
  }
  void blocksArePlacedByRoomAndTime() {
    QFETCH(QStringList, requests);
    QFETCH(QStringList, blocks);
    QFETCH(QString, keys);
    QFETCH(int, reached);
    MainWindowFixture f;
    for (const QString& request : requests) {
      const QStringList parts = request.split(u' ');
      hospitaldb::ScheduleRecord r = f.db().sampleRequest(
          platform::WallClock(kDay, QTime::fromString(parts[1], QStringLiteral("hh:mm"))));
      r.orRoomId = parts[0];
      r.surgeonCode = r.anesCode = r.sNurseCode = r.cNurseCode = QString();  // no shared team
      const qint64 transNum = f.db().insertRequest(r);
      if (parts[2] != u"0")
        f.db().exec(QStringLiteral("INSERT INTO tbORScheduleDuration VALUES (?, ?)"),
                    {transNum, parts[2].toInt()});
    }
    QVERIFY(f.start());
    frmMain& w = f.window();
    w.DTPicker1->setDate(kDay);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
    requests::frmDayByRoom* window = w.dayByRoom();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Day by Room"));

    const requests::DayPlan& plan = window->Plan();
    QStringList shown;
    for (const requests::DayBlock& block : plan.Blocks())
      shown << QStringLiteral("%1: %2, lane %3/%4%5")
                   .arg(plan.Rooms().value(block.room), block.When())
                   .arg(block.lane + 1)
                   .arg(block.lanes)
                   .arg(block.clashing ? QStringLiteral(", clash") : QString());
    QCOMPARE(shown, blocks);

    // On the window: a later room right of an earlier one, a later start lower in its room, a
    // block's height its duration's (minutes are at most a pixel apart), touching blocks meet.
    const double pixelsPerMinute =
        double(window->BlockRect(0).height()) / (plan.Blocks()[0].end - plan.Blocks()[0].start);
    for (int i = 1; i < int(plan.Blocks().size()); ++i) {
      const requests::DayBlock &before = plan.Blocks()[i - 1], &block = plan.Blocks()[i];
      const QRect earlier = window->BlockRect(i - 1), rect = window->BlockRect(i);
      if (block.room != before.room) QVERIFY(rect.left() >= earlier.right());
      if (block.lane != before.lane) QVERIFY(rect.left() > earlier.left());
      QVERIFY(rect.top() > earlier.top() || block.room != before.room);
      QVERIFY(qAbs(rect.height() - (block.end - block.start) * pixelsPerMinute) <= 2);
      if (block.room == before.room && block.start == before.end)
        QVERIFY(qAbs(rect.top() - earlier.bottom() - 1) <= 1);
    }

    QWidget* canvas = window->DayCanvas();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, window->BlockRect(0).center());
    for (const QString& key : keys.split(u' '))
      QTest::keyClick(canvas, key == u"Up"     ? Qt::Key_Up
                              : key == u"Down" ? Qt::Key_Down
                                               : Qt::Key_Right);
    QCOMPARE(window->FocusedBlock(), reached);
    QVERIFY(canvas->accessibleName().contains(plan.Blocks()[reached].When()));
    QTest::keyClick(canvas, Qt::Key_Return);
    QCOMPARE(w.requestList().SharedListing()->TransNum(w.mshflexPending->Row() - 1),
             plan.Blocks()[reached].transNum);
  }
};

QTEST_MAIN(TestDayByRoom)
#include "test_day_by_room.moc"
