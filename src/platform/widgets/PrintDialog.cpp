#include "platform/widgets/PrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace platform {
namespace {

PrintDialogHandler& CurrentHandler() {
  static PrintDialogHandler handler;
  return handler;
}

}  // namespace

bool AskPrinter(QPrinter& printer, QWidget* parent) {
  // A copy, so that a handler may replace itself while it runs.
  const PrintDialogHandler handler = CurrentHandler();
  if (handler) return handler(printer);
  QPrintDialog dialog(&printer, parent);
  // A list of the day is printed whole: no page ranges or selection to offer.
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  return dialog.exec() == QDialog::Accepted;
}

PrintDialogHandler SetPrintDialogHandler(PrintDialogHandler handler) {
  PrintDialogHandler previous = std::move(CurrentHandler());
  CurrentHandler() = std::move(handler);
  return previous;
}

}  // namespace platform
