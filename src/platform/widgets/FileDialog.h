#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

// What to ask for when saving a file: the dialog's title, the name it proposes (a full path),
// the file type ("PDF files (*.pdf)") and the suffix added to a name typed without one.
struct SaveFileRequest {
  QString caption;
  QString proposedPath;
  QString filter;
  QString defaultSuffix;
};

// Asks the user where to save, modally over `parent`. Returns the chosen path, empty when the
// user cancelled. Replacing an existing file is confirmed by the dialog itself.
QString GetSaveFileName(const SaveFileRequest& request, QWidget* parent);

// Tests replace the handler to answer in the user's place; an empty handler restores the real
// dialog. Returns the previous handler.
using SaveFileHandler = std::function<QString(const SaveFileRequest& request)>;
SaveFileHandler SetSaveFileHandler(SaveFileHandler handler);

}  // namespace platform
