#pragma once

#include <QList>
#include <QPageLayout>
#include <QStringList>

#include "platform/widgets/FileDialog.h"
#include "platform/widgets/PrintDialog.h"

namespace testsupport {

// Answers the program's save-file and print dialogs while it lives, in the user's place, and
// restores the real dialogs when it goes. Answers come from a script, in order; a dialog with
// no answer left is cancelled. Every dialog is recorded.
class OutputDialogs {
 public:
  OutputDialogs();
  ~OutputDialogs();
  OutputDialogs(const OutputDialogs&) = delete;
  OutputDialogs& operator=(const OutputDialogs&) = delete;

  // The next save dialog chooses this path.
  void saveAs(const QString& path) { savePaths_.append(path); }
  // The next print dialog is accepted and its printer prints into this PDF file instead of
  // on paper; an empty path cancels it.
  void printTo(const QString& pdfPath) { printPaths_.append(pdfPath); }

  const QList<platform::SaveFileRequest>& saveRequests() const { return saveRequests_; }
  int printDialogs() const { return int(printLayouts_.size()); }
  // The page layout each print dialog opened with.
  const QList<QPageLayout>& printLayouts() const { return printLayouts_; }

 private:
  platform::SaveFileHandler previousSave_;
  platform::PrintDialogHandler previousPrint_;
  QStringList savePaths_, printPaths_;
  QList<platform::SaveFileRequest> saveRequests_;
  QList<QPageLayout> printLayouts_;
};

}  // namespace testsupport
