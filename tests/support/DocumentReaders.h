#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace testsupport {

// Reads files the program writes with the standard tools a user's side would use, so that a
// test sees what they see rather than what the program meant to write. Each fails the running
// test (and returns nothing) when the tool fails.

// Every record of a CSV file as Python's csv module reads it (the file opened as UTF-8 with an
// optional byte-order mark, the default dialect).
QList<QStringList> ReadCsvWithPython(const QString& path);

// The text of a PDF as poppler's pdftotext extracts it, pages separated by form feeds.
QString PdfText(const QString& path);
// Page count and the first page's size in points, from poppler's pdfinfo.
struct PdfInfo {
  int pages = 0;
  QSizeF pageSize;
};
PdfInfo ReadPdfInfo(const QString& path);
// Where each word is drawn on a page (points from the page's top left), from pdftotext -bbox.
struct PdfWord {
  int page = 0;  // from 0
  QString text;
  QRectF box;
};
QList<PdfWord> PdfWords(const QString& path);
// One page rendered by pdftoppm at `dpi`.
QImage RenderPdfPage(const QString& path, int page, int dpi);

}  // namespace testsupport
