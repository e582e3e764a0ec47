// The double-booking rule on requests of one listing.
#include <QtTest>

#include "platform/WallSeconds.h"
#include "session/Clashes.h"

using session::Clashes;
using C = session::RequestColumn;
using Row = QMap<int, QString>;  // a listed request's texts by column

namespace {

constexpr int kMinutes = C::kLast + 1;  // its duration, beside the columns

// A request at 7:00 AM on 12/8/2026 with what `fields` says: "room=OR1", "surgeon=D1" (the
// code, its name "NAME D1" beside it), "status=R", "date=...", "minutes=90" (its duration).
Row Request(const QString& patient, const QStringList& fields) {
  static const QMap<QString, std::pair<C::Column, C::Column>> roles = {
      {QStringLiteral("surgeon"), {C::kSurgeonCode, C::kSurgeon}},
      {QStringLiteral("surgeon1"), {C::kSurgeon1Code, C::kSurgeon1}},
      {QStringLiteral("surgeon2"), {C::kSurgeon2Code, C::kSurgeon2}},
      {QStringLiteral("anes"), {C::kAnesCode, C::kAnesthesiologist}},
      {QStringLiteral("anes2"), {C::kAnes2Code, C::kAnes2}},
      {QStringLiteral("asstdoc"), {C::kAsstDocCode, C::kAsstDoc}},
      {QStringLiteral("snurse"), {C::kSNurseCode, C::kSNurse}},
      {QStringLiteral("snurse2"), {C::kSNurse2Code, C::kSNurse2}},
      {QStringLiteral("cnurse"), {C::kCNurseCode, C::kCNurse}}};
  Row r{{C::kPatientName, patient}, {C::kOperationDate, QStringLiteral("12/8/2026 7:00:00 AM")}};
  for (const QString& field : fields) {
    const QString name = field.section(u'=', 0, 0), value = field.section(u'=', 1);
    if (name == QLatin1String("room")) r[C::kORRoomCode] = value;
    if (name == QLatin1String("status")) r[C::kStatus] = value;
    if (name == QLatin1String("date")) r[C::kOperationDate] = value;
    if (name == QLatin1String("minutes")) r[kMinutes] = value;
    if (roles.contains(name)) {
      r[roles[name].first] = value;
      r[roles[name].second] = QStringLiteral("NAME ") + value;
    }
  }
  return r;
}

// "a=1;b=2" as the list of its fields.
QStringList Fields(const char* text) {
  return QString::fromUtf8(text).split(u';', Qt::SkipEmptyParts);
}

}  // namespace

class TestClashes : public QObject {
  Q_OBJECT

 private slots:
  void twoRequestsClashOnlyOnWhatTheySharePartOfADay_data() {
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QString>("said");  // of the first request; empty: no clash
    QTest::addColumn<bool>("alone");    // no third request at the same minute
    auto row = [](const char* name, const char* first, const char* second, const char* said,
                  bool alone = false) {
      QTest::newRow(name) << Fields(first) << Fields(second) << QString::fromUtf8(said) << alone;
    };
    row("room", "room=OR1", "room=OR1", "OR1 at 7:00 AM overlaps SECOND at 7:00 AM");
    row("surgeon, as surgeon", "surgeon=D1", "surgeon=D1",
        "NAME D1 (surgeon) at 7:00 AM is also on SECOND at 7:00 AM");
    row("assistant surgeon, as assistant doctor", "surgeon1=D1", "asstdoc=D1",
        "NAME D1 (assistant surgeon) at 7:00 AM is also on SECOND at 7:00 AM");
    row("second assistant, as first", "surgeon2=D2", "surgeon1=D2",
        "NAME D2 (assistant surgeon) at 7:00 AM is also on SECOND at 7:00 AM");
    row("anesthesiologist, as assistant", "anes=D3", "anes2=D3",
        "NAME D3 (anesthesiologist) at 7:00 AM is also on SECOND at 7:00 AM");
    row("assistant anesthesiologist, as surgeon", "anes2=D3", "surgeon=D3",
        "NAME D3 (assistant anesthesiologist) at 7:00 AM is also on SECOND at 7:00 AM");
    row("assistant doctor", "asstdoc=D4", "asstdoc=D4",
        "NAME D4 (assistant doctor) at 7:00 AM is also on SECOND at 7:00 AM");
    row("scrub nurse, as circulating", "snurse=E1", "cnurse=E1",
        "NAME E1 (scrub nurse) at 7:00 AM is also on SECOND at 7:00 AM");
    row("assistant scrub nurse", "snurse2=E2", "snurse=E2",
        "NAME E2 (assistant scrub nurse) at 7:00 AM is also on SECOND at 7:00 AM");
    row("circulating nurse", "cnurse=E3", "snurse2=E3",
        "NAME E3 (circulating nurse) at 7:00 AM is also on SECOND at 7:00 AM");
    row("same minute, other seconds", "room=OR1", "room=OR1;date=12/8/2026 7:00:45 AM",
        "OR1 at 7:00 AM overlaps SECOND at 7:00 AM");
    row("the next minute", "room=OR1", "room=OR1;date=12/8/2026 7:01:00 AM", "");
    row("the next day", "surgeon=D1", "surgeon=D1;date=12/9/2026 7:00:00 AM", "");
    row("the other revoked", "room=OR1", "room=OR1;status= R ", "");
    row("this one revoked", "room=OR1;status=R", "room=OR1", "");
    row("a lower-case r is no revocation", "room=OR1", "room=OR1;status=r",
        "OR1 at 7:00 AM overlaps SECOND at 7:00 AM");
    row("no codes, no rooms", "", "", "");
    row("blank codes", "room= ;surgeon= ", "room= ;cnurse= ", "");
    row("one person twice in one request", "surgeon=D1;asstdoc=D1", "surgeon=D9", "");
    row("a room code that is a member's code", "room=D1", "surgeon=D1", "");
    row("the room beside a member of its code", "room=D1;surgeon=D1", "room=D1",
        "D1 at 7:00 AM overlaps SECOND at 7:00 AM");
    row("a pair alone at its minute", "room=OR1", "room=OR1",
        "OR1 at 7:00 AM overlaps SECOND at 7:00 AM", true);
    row("12 AM is not 12 PM", "room=OR1;date=12/8/2026 12:00:00 AM",
        "room=OR1;date=12/8/2026 12:00:00 PM", "");
    row("a room code that is a member's code, alone at its minute", "room=D1", "surgeon=D1", "",
        true);
    row("a span over another's start", "room=OR1;minutes=120", "room=OR1;date=12/8/2026 8:30:00 AM",
        "OR1 from 7:00 AM to 9:00 AM overlaps SECOND at 8:30 AM");
    row("a start inside another's span", "surgeon=D1",
        "surgeon=D1;date=12/8/2026 6:30:00 AM;minutes=31",
        "NAME D1 (surgeon) at 7:00 AM is also on SECOND from 6:30 AM to 7:01 AM");
    row("a span ending as another starts", "room=OR1;date=12/8/2026 8:00:00 AM;minutes=60",
        "room=OR1;date=12/8/2026 9:00:00 AM;minutes=60", "");
    row("a start as another's span ends", "cnurse=E3",
        "cnurse=E3;date=12/8/2026 6:00:00 AM;minutes=60", "");
  }
  void twoRequestsClashOnlyOnWhatTheySharePartOfADay() {
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QString, said);
    QFETCH(bool, alone);
    // A third request at the same minute sharing nothing, to be left alone.
    const std::vector<Row> listing = {Request(QStringLiteral("FIRST"), first),
                                      Request(QStringLiteral("SECOND"), second),
                                      Request(QStringLiteral("THIRD"), Fields("room=OR9"))};
    const Clashes clashes(
        alone ? 2 : 3,
        [&](int row, C::Column column) {
          const auto cell = listing[row].find(column);
          return cell == listing[row].end() ? QStringView() : QStringView(*cell);
        },
        [&](int row) {
          const bool revoked =
              session::StatusOf(listing[row].value(C::kStatus)) == session::RequestStatus::Revoked;
          if (revoked) return Clashes::Span();
          const qint64 start = platform::WallSecondsOf(listing[row].value(C::kOperationDate)) / 60;
          const int minutes = listing[row].value(kMinutes).toInt();
          return Clashes::Span{start, start + std::max(minutes, 1), minutes > 0};
        });
    QCOMPARE(clashes.Describe(0).join(u'|'), said);
    QCOMPARE(clashes.Has(0), !said.isEmpty());
    QCOMPARE(clashes.Has(1), !said.isEmpty());
    QCOMPARE(clashes.Any(), !said.isEmpty());
    if (!alone) QVERIFY(!clashes.Has(2));
  }
};

QTEST_MAIN(TestClashes)
#include "test_clashes.moc"
