#include "support/DocumentReaders.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace testsupport {
namespace {

// Runs a tool to its end; its standard output, or a null array (the test failed) when it could
// not run or failed.
QByteArray Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    const QString problem =
        QStringLiteral("%1 %2 failed: %3 %4")
            .arg(program, arguments.join(QLatin1Char(' ')), process.errorString(),
                 QString::fromUtf8(process.readAllStandardError()));
    QTest::qFail(qPrintable(problem), __FILE__, __LINE__);
    return QByteArray();
  }
  return process.readAllStandardOutput();
}

const char kCsvReader[] = R"(import csv, json, sys
with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:
    json.dump(list(csv.reader(f)), sys.stdout)
)";

}  // namespace

QList<QStringList> ReadCsvWithPython(const QString& path) {
  const QByteArray json =
      Run(QStringLiteral("python3"), {QStringLiteral("-c"), QString::fromUtf8(kCsvReader), path});
  QList<QStringList> records;
  for (const QJsonValue& record : QJsonDocument::fromJson(json).array()) {
    QStringList fields;
    for (const QJsonValue& field : record.toArray())
      fields.append(field.toString());
    records.append(fields);
  }
  return records;
}

QString PdfText(const QString& path) {
  return QString::fromUtf8(
      Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")}));
}

PdfInfo ReadPdfInfo(const QString& path) {
  const QString text = QString::fromUtf8(Run(QStringLiteral("pdfinfo"), {path}));
  PdfInfo info;
  const QRegularExpressionMatch pages =
      QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
          .match(text);
  info.pages = pages.captured(1).toInt();
  const QRegularExpressionMatch size =
      QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                         QRegularExpression::MultilineOption)
          .match(text);
  info.pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
  return info;
}

QList<PdfWord> PdfWords(const QString& path) {
  const QByteArray html =
      Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
  QList<PdfWord> words;
  QXmlStreamReader xml(html);
  int page = -1;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("page")) ++page;
    if (xml.name() != QLatin1String("word")) continue;
    const QXmlStreamAttributes at = xml.attributes();
    const QPointF topLeft(at.value(QLatin1String("xMin")).toDouble(),
                          at.value(QLatin1String("yMin")).toDouble());
    const QPointF bottomRight(at.value(QLatin1String("xMax")).toDouble(),
                              at.value(QLatin1String("yMax")).toDouble());
    words.append({page, xml.readElementText(), QRectF(topLeft, bottomRight)});
  }
  return words;
}

QImage RenderPdfPage(const QString& path, int page, int dpi) {
  QTemporaryDir dir;
  const QString prefix = dir.filePath(QStringLiteral("page"));
  Run(QStringLiteral("pdftoppm"),
      {QStringLiteral("-f"), QString::number(page + 1), QStringLiteral("-l"),
       QString::number(page + 1), QStringLiteral("-r"), QString::number(dpi),
       QStringLiteral("-png"), QStringLiteral("-singlefile"), path, prefix});
  return QImage(prefix + QStringLiteral(".png"));
}

}  // namespace testsupport
