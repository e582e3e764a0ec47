#include "platform/widgets/FileDialog.h"

#include <QFileDialog>

namespace platform {
namespace {

SaveFileHandler& CurrentHandler() {
  static SaveFileHandler handler;
  return handler;
}

QString AskWithRealDialog(const SaveFileRequest& request, QWidget* parent) {
  QFileDialog dialog(parent, request.caption);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(request.filter);
  dialog.setDefaultSuffix(request.defaultSuffix);
  dialog.selectFile(request.proposedPath);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QString GetSaveFileName(const SaveFileRequest& request, QWidget* parent) {
  // A copy, so that a handler may replace itself while it runs.
  const SaveFileHandler handler = CurrentHandler();
  if (handler) return handler(request);
  return AskWithRealDialog(request, parent);
}

SaveFileHandler SetSaveFileHandler(SaveFileHandler handler) {
  SaveFileHandler previous = std::move(CurrentHandler());
  CurrentHandler() = std::move(handler);
  return previous;
}

}  // namespace platform
