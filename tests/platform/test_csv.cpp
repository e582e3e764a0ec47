#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "platform/Csv.h"
#include "platform/Errors.h"
#include "support/DocumentReaders.h"

using platform::TextTable;

class TestCsv : public QObject {
  Q_OBJECT

 private slots:
  // Each value goes into the middle of a row, so that a stray quote or separator shifts the
  // fields after it, and a standard reader must give back the row as written.
  void aStandardReaderGetsEveryFieldBack_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");
    QTest::newRow("plain") << "DOE, JOHN"
                           << "DOE, JOHN";
    QTest::newRow("apostrophe inside") << "O'BRIEN ,SEAN"
                                       << "O'BRIEN ,SEAN";
    QTest::newRow("quotes") << "JUAN \"JOJO\" CRUZ"
                            << "JUAN \"JOJO\" CRUZ";
    QTest::newRow("only a quote") << "\""
                                  << "\"";
    QTest::newRow("line feed") << "LINE ONE\nLINE TWO"
                               << "LINE ONE\nLINE TWO";
    QTest::newRow("CRLF") << "LINE ONE\r\nLINE TWO"
                          << "LINE ONE\r\nLINE TWO";
    QTest::newRow("blanks at the ends") << " R "
                                        << " R ";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("accents") << "PEÑA, MARÍA"
                             << "PEÑA, MARÍA";
    QTest::newRow("formula") << "=HYPERLINK(\"x\")"
                             << "'=HYPERLINK(\"x\")";
    QTest::newRow("plus") << "+63 912"
                          << "'+63 912";
    QTest::newRow("minus") << "-"
                           << "'-";
    QTest::newRow("at") << "@SUM(A1)"
                        << "'@SUM(A1)";
    QTest::newRow("tab") << "\tX"
                         << "'\tX";
    QTest::newRow("carriage return, then a formula") << "\r=1+1"
                                                     << "'\r=1+1";
    QTest::newRow("lone carriage return") << "LINE ONE\rLINE TWO"
                                          << "LINE ONE\rLINE TWO";
    QTest::newRow("sign further in stays") << "A=B-C"
                                           << "A=B-C";
  }
  void aStandardReaderGetsEveryFieldBack() {
    QFETCH(QString, written);
    QFETCH(QString, read);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.csv"));
    const TextTable table{
        {QStringLiteral("Before"), QStringLiteral("Value"), QStringLiteral("After")},
        {{QStringLiteral("A"), written, QStringLiteral("Z")},
         {QStringLiteral("B"), QStringLiteral("plain"), QStringLiteral("Y")}}};
    platform::SaveCsv(path, table);
    const QList<QStringList> records = testsupport::ReadCsvWithPython(path);
    const QList<QStringList> expected = {
        table.header,
        {QStringLiteral("A"), read, QStringLiteral("Z")},
        {QStringLiteral("B"), QStringLiteral("plain"), QStringLiteral("Y")}};
    QCOMPARE(records, expected);
  }

  // What a spreadsheet needs besides the fields: the byte-order mark that makes Excel read
  // UTF-8, and CRLF after every record.
  void theFileStartsWithTheMarkAndEndsRecordsWithCrlf() {
    const TextTable table{{QStringLiteral("Name"), QStringLiteral("Room")},
                          {{QStringLiteral("PEÑA"), QStringLiteral("301-A")}}};
    QCOMPARE(platform::CsvBytes(table), QByteArray("\xEF\xBB\xBFName,Room\r\nPE\xC3\x91"
                                                   "A,301-A\r\n"));
  }

  // QSaveFile writes beside the name and renames at the end: a failure leaves nothing new under
  // the name and a file already there as it was.
  void aFileThatCannotBeWrittenIsNotLeftBehind_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing folder") << "no such folder/list.csv";
    QTest::newRow("a folder of that name") << "folder.csv";
  }
  void aFileThatCannotBeWrittenIsNotLeftBehind() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.csv")));
    const QString path = dir.filePath(name);
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    try {
      platform::SaveCsv(path, TextTable{{QStringLiteral("A")}, {{QStringLiteral("1")}}});
      QFAIL("no failure reported");
    } catch (const platform::RuntimeError& error) {
      QVERIFY2(error.message().contains(path), qPrintable(error.message()));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
  }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "test_csv.moc"
