#pragma once

#include <QDialog>
#include <optional>

#include "session/ConnectionProvider.h"
#include "session/FoundRequests.h"

class QLabel;

namespace platform {
class FlexGrid;
class SearchList;
class TextBox;
}  // namespace platform

namespace requests {

// The find window: the requests of any date whose patient's name begins with the text typed, or
// whose transaction number it is, newest first, listed again as the user types (SearchList).
// Down goes into the list, Enter or a double click picks a request, Esc closes the window.
class frmFind : public QDialog {
  Q_OBJECT

 public:
  frmFind(const QString& text, QWidget* parent = nullptr,
          session::ConnectionProvider connection = session::CurrentUserConnection());

  // Lists the requests for the text in the search box. Throws on a database failure.
  void Search();
  // Takes the list's current request, when there is one, and closes the window.
  void Pick();
  // The request picked (after exec() returned Accepted).
  const std::optional<session::FoundRequest>& Picked() const { return picked_; }

  platform::TextBox* txtSearch = nullptr;
  platform::FlexGrid* grdFound = nullptr;
  QLabel* lblFound = nullptr;  // how many were found, or why none are listed

 private:
  void Show(const session::FoundRequests& found);

  session::ConnectionProvider connection_;
  platform::SearchList* searchList_;
  session::FoundRequests found_;
  std::optional<session::FoundRequest> picked_;
};

}  // namespace requests
