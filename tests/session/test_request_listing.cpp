// The listing of one date as read from the server, and a listing replaced by an edited copy.
#include <QtTest>

#include "session/RequestListing.h"
#include "support/MemoryRecordset.h"

using namespace Qt::StringLiterals;
using C = session::RequestColumn;
using Flags = QList<bool>;

namespace {

// Requests at 7:00 AM as "patient room status", each with the first `fields` of its fields.
testsupport::MemoryRecordset Records(int fields, const QStringList& requests) {
  QStringList names;
  for (int f = C::kFirst; f < C::kFirst + fields; ++f)
    names << QStringLiteral("F%1").arg(f);
  QList<QVariantList> rows;
  for (const QString& request : requests) {
    const QStringList said = request.split(u' ');
    QVariantList row(fields);
    for (auto [column, value] : {std::pair{C::kPatientName, said[0]},
                                 {C::kORRoomCode, said[1]},
                                 {C::kStatus, said[2]},
                                 {C::kOperationDate, u"12/8/2026 7:00 AM"_s}})
      if (column - C::kFirst < fields) row[column - C::kFirst] = value;
    rows << row;
  }
  return testsupport::MemoryRecordset(names, rows);
}

Flags Clashing(const session::RequestListing& listing) {
  Flags clashing;
  for (int r = 0; r < listing.Rows(); ++r)
    clashing << listing.clashes().Has(r);
  return clashing;
}

}  // namespace

class TestRequestListing : public QObject {
  Q_OBJECT

 private slots:
  void aListingIsTheServersRowsBehindTheSelectorColumn_data() {
    QTest::addColumn<int>("fields");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<Flags>("clashing");
    QTest::addColumn<QString>("firstRoomReplaced");
    QTest::addColumn<Flags>("clashingReplaced");
    QTest::newRow("no requests") << C::kCount << QStringList() << Flags() << "" << Flags();
    QTest::newRow("one room twice, then moved")
        << C::kCount << u"A OR1 P;B OR1 C;C OR2 P"_s.split(u';') << Flags{true, true, false}
        << "OR2" << Flags{true, false, true};
    QTest::newRow("fewer fields than a request has")
        << int(C::kORRoomCode) << u"A OR1 P;B OR1 P"_s.split(u';') << Flags{false, false} << "OR1"
        << Flags{false, false};
  }
  void aListingIsTheServersRowsBehindTheSelectorColumn() {
    QFETCH(int, fields);
    QFETCH(QStringList, requests);
    QFETCH(Flags, clashing);
    QFETCH(QString, firstRoomReplaced);
    QFETCH(Flags, clashingReplaced);
    testsupport::MemoryRecordset records = Records(fields, requests);
    const auto listing = session::RequestListing::Read(records);
    QVERIFY(records.AtEnd());
    QCOMPARE(listing->Rows(), requests.size());
    QCOMPARE(listing->Cols(), C::kFirst + fields);
    QCOMPARE(listing->Headers().mid(0, 2), QStringList({QString(), u"F1"_s}));
    for (int r = 0; r < listing->Rows(); ++r) {
      const QStringList said = requests[r].split(u' ');
      QVERIFY(listing->Text(r, 0).isEmpty());
      QCOMPARE(listing->At(r).patientName, said[0]);
      QCOMPARE(listing->At(r).status, fields >= C::kStatus ? said[2] : QString());
    }
    QVERIFY(listing->Text(listing->Rows(), C::kPatientName).isEmpty());
    QCOMPARE(Clashing(*listing), clashing);
    if (listing->Rows() == 0) return;

    const auto replaced = listing->WithText(0, C::kORRoomCode, firstRoomReplaced);
    QCOMPARE(Clashing(*replaced), clashingReplaced);
    QCOMPARE(replaced->At(0).orRoomCode, firstRoomReplaced);
    QCOMPARE(listing->At(0).orRoomCode, u"OR1"_s);
  }
};

QTEST_MAIN(TestRequestListing)
#include "test_request_listing.moc"
