#pragma once

#include <QByteArray>
#include <QString>

#include "platform/TextTable.h"

namespace platform {

// Comma-separated values as RFC 4180 writes them, shaped to open cleanly in a spreadsheet:
// - UTF-8 with a byte-order mark, without which Excel reads the file in the workstation's
//   code page and garbles names such as PEÑA;
// - CRLF after every record, the header row first;
// - a field is put between double quotes (a quote inside doubled) when it holds a comma, a
//   quote, a line break or blanks at either end, and otherwise written as it is;
// - a cell that a spreadsheet would run as a formula (one starting with =, +, -, @, a tab or a
//   carriage return) gets a leading apostrophe, so that a name typed as "=HYPERLINK(...)" stays
//   text instead of running when the file is opened.
QString CsvField(const QString& text);
QByteArray CsvBytes(const TextTable& table);

// Writes the table to `path` as a whole or not at all: the file appears under its name only
// once every byte is written, and a file already there is replaced only then. Throws
// RuntimeError naming the file and the reason when it cannot be written.
void SaveCsv(const QString& path, const TextTable& table);

}  // namespace platform
