#include "support/OutputDialogs.h"

#include <QPrinter>

namespace testsupport {

OutputDialogs::OutputDialogs() {
  previousSave_ = platform::SetSaveFileHandler([this](const platform::SaveFileRequest& request) {
    saveRequests_.append(request);
    return savePaths_.isEmpty() ? QString() : savePaths_.takeFirst();
  });
  previousPrint_ = platform::SetPrintDialogHandler([this](QPrinter& printer) {
    printLayouts_.append(printer.pageLayout());
    const QString path = printPaths_.isEmpty() ? QString() : printPaths_.takeFirst();
    if (path.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
  });
}

OutputDialogs::~OutputDialogs() {
  platform::SetSaveFileHandler(std::move(previousSave_));
  platform::SetPrintDialogHandler(std::move(previousPrint_));
}

}  // namespace testsupport
