#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace platform {

// Lets the user choose the printer, the paper and the copies for `printer`, modally over
// `parent`, starting from the settings the printer holds. False when the user cancelled.
bool AskPrinter(QPrinter& printer, QWidget* parent);

// Tests replace the handler to answer in the user's place (typically by sending the printer's
// output to a PDF file); an empty handler restores the real dialog. Returns the previous one.
using PrintDialogHandler = std::function<bool(QPrinter& printer)>;
PrintDialogHandler SetPrintDialogHandler(PrintDialogHandler handler);

}  // namespace platform
