// Every input the fuzzer starts from, and every input that once made it fail, read again by
// the embedded server under the sanitizers.
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "fuzz/StatementFuzz.h"
#include "hospitaldb/EmbeddedServer.h"

class TestFuzzCorpus : public QObject {
  Q_OBJECT

 private slots:
  void everyKeptInputIsReadSafely_data() {
    QTest::addColumn<QString>("path");
    for (const char* folder : {"corpus", "regressions"}) {
      const QDir dir(QStringLiteral(ORSCHED_FUZZ_DIR "/") + QLatin1String(folder));
      for (const QFileInfo& file : dir.entryInfoList(QDir::Files))
        QTest::newRow(qPrintable(QLatin1String(folder) + u'/' + file.fileName()))
            << file.filePath();
    }
  }
  void everyKeptInputIsReadSafely() {
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTemporaryDir folder;
    hospitaldb::EmbeddedServer server(folder.filePath(QStringLiteral("fuzz.sqlite")));
    server.SeedDemoData();
    fuzz::ReadLikeTheServer(file.readAll(), server);
  }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "test_fuzz_corpus.moc"
