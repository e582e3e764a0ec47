// The listing of one date as read from the server.
#include <QtTest>

#include "platform/WallClock.h"
#include "session/RequestListing.h"
#include "support/MemoryRecordset.h"

using namespace Qt::StringLiterals;
using C = session::RequestColumn;
using Flags = QList<bool>;

namespace {

// Requests as "patient room status", operated and confirmed at `date`, each with the first
// `fields` of its fields.
testsupport::MemoryRecordset Records(int fields, const QStringList& requests,
                                     const QVariant& date) {
  QStringList names;
  for (int f = C::kFirst; f < C::kFirst + fields; ++f)
    names << QStringLiteral("F%1").arg(f);
  QList<QVariantList> rows;
  for (const QString& request : requests) {
    const QStringList said = request.split(u' ');
    QVariantList row(fields);
    for (auto [column, value] : {std::pair{C::kPatientName, QVariant(said[0])},
                                 {C::kORRoomCode, QVariant(said[1])},
                                 {C::kStatus, QVariant(said[2])},
                                 {C::kOperationDate, date},
                                 {C::kDateConfirmed, date}})
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
    QTest::addColumn<QVariant>("date");  // as the recordset gives it
    QTest::addColumn<QDateTime>("at");
    const QVariant text = u"12/8/2026 7:00 AM"_s;
    const QDateTime seven = platform::WallClock(QDate(2026, 12, 8), QTime(7, 0));
    QTest::newRow("no requests") << C::kCount << QStringList() << Flags() << text << seven;
    QTest::newRow("one room twice") << C::kCount << u"A OR1 P;B OR1 C;C OR2 P"_s.split(u';')
                                    << Flags{true, true, false} << text << seven;
    QTest::newRow("fewer fields than a request has")
        << int(C::kORRoomCode) << u"A OR1 P;B OR1 P"_s.split(u';') << Flags{false, false} << text
        << QDateTime();
    const QStringList twoInOneRoom = u"A OR1 P;B OR1 P"_s.split(u';');
    QTest::newRow("the embedded server's text")
        << C::kCount << twoInOneRoom << Flags{true, true} << QVariant(u"2026-12-08 07:00:45"_s)
        << seven.addSecs(45);
    QTest::newRow("an ODBC timestamp, in the zone of the workstation")
        << C::kCount << twoInOneRoom << Flags{true, true}
        << QVariant(QDateTime(QDate(2026, 12, 8), QTime(7, 0))) << seven;
    QTest::newRow("a null") << C::kCount << twoInOneRoom << Flags{false, false} << QVariant()
                            << QDateTime();
  }
  void aListingIsTheServersRowsBehindTheSelectorColumn() {
    QFETCH(int, fields);
    QFETCH(QStringList, requests);
    QFETCH(Flags, clashing);
    QFETCH(QVariant, date);
    QFETCH(QDateTime, at);
    testsupport::MemoryRecordset records = Records(fields, requests, date);
    const auto listing = session::RequestListing::Read(records);
    QVERIFY(records.AtEnd());
    QCOMPARE(listing->Rows(), requests.size());
    QCOMPARE(listing->Cols(), C::kFirst + fields);
    QCOMPARE(listing->Headers().mid(0, 2), QStringList({QString(), u"F1"_s}));
    for (int r = 0; r < listing->Rows(); ++r) {
      const QStringList said = requests[r].split(u' ');
      QVERIFY(listing->Text(r, 0).isEmpty());
      QCOMPARE(listing->At(r).patientName, said[0]);
      QCOMPARE(listing->At(r).status, session::StatusOf(fields >= C::kStatus ? said[2] : u""_s));
      QCOMPARE(listing->At(r).operationAt, at);
      QCOMPARE(listing->At(r).confirmedAt, at);
    }
    QVERIFY(listing->Text(listing->Rows(), C::kPatientName).isEmpty());
    QCOMPARE(Clashing(*listing), clashing);
  }
};

QTEST_MAIN(TestRequestListing)
#include "test_request_listing.moc"
