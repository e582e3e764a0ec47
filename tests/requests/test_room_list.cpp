#include <QComboBox>
#include <QTest>

#include "platform/widgets/ComboBox.h"
#include "support/MainWindowFixture.h"

using testsupport::DatabaseFixture;
using testsupport::MainWindowFixture;

class TestRoomList : public QObject {
  Q_OBJECT

 private slots:
  void listsTheRoomsAsTheServerReturnsThem() {
    MainWindowFixture f(DatabaseFixture::DefaultNow(), DatabaseFixture::Seed::Empty);
    f.db().exec(QStringLiteral("DELETE FROM tbOrRoom"));
    const QVariantList rooms = {QStringLiteral("OR 2"),
                                QStringLiteral("OR 1"),
                                QStringLiteral("OR 2"),
                                QStringLiteral(""),
                                QVariant(QMetaType::fromType<QString>()),
                                QStringLiteral("ST. LUKE'S")};
    for (int i = 0; i < rooms.size(); ++i)
      f.db().exec(QStringLiteral("INSERT INTO tbOrRoom (RoomID, RoomName) VALUES (?, ?)"),
                  {QStringLiteral("R%1").arg(i), rooms[i]});
    QVERIFY2(f.start(), qPrintable(f.boxes().prompts().join(u'|')));
    QComboBox& box = *f.window().cboRequestRoom;
    QStringList listed;
    for (int i = 0; i < box.count(); ++i)
      listed << box.itemText(i);
    // In the server's order; duplicates stay and an empty name gives an empty item. A room
    // without a name (null) cannot be chosen by its name and is left out.
    QStringList expected;
    for (const QVariantList& row : f.db().open(QStringLiteral("SCHEDULE..sp_List_ORRooms")).rows)
      if (!row.first().isNull()) expected << row.first().toString();
    QCOMPARE(listed, expected);
    QCOMPARE(listed.count(QStringLiteral("OR 2")), 2);
    QCOMPARE(listed.count(QString()), 1);
    QVERIFY(listed.contains(QStringLiteral("ST. LUKE'S")));
    QCOMPARE(listed.size(), 5);
  }

  void aRoomAddedLaterAppearsOnlyAfterARestart() {
    MainWindowFixture f;
    QVERIFY(f.start());
    const int before = f.window().cboRequestRoom->count();
    f.db().exec(QStringLiteral("INSERT INTO tbOrRoom (RoomID, RoomName) VALUES ('NEW', 'OR 99')"));
    QCOMPARE(f.window().cboRequestRoom->count(), before);
    f.window().close();
    QVERIFY(f.start());
    QCOMPARE(f.window().cboRequestRoom->count(), before + 1);
  }
};

QTEST_MAIN(TestRoomList)
#include "test_room_list.moc"
