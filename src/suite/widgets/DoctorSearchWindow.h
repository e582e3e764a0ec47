#pragma once

#include <QDialog>
#include <memory>

#include "suite/CodeSearch.h"

namespace platform {
class Connection;
class FlexGrid;
class SearchList;
class TextBox;
}  // namespace platform

namespace suite {

// The code-search component's window: the doctors whose last name begins with the text typed,
// or whose code it is, listed as the user types (SearchList). Keyboard first: Down goes into the
// list, the arrows move in it, Enter or a double click picks, Esc gives up.
class DoctorSearchWindow : public QDialog {
  Q_OBJECT

 public:
  DoctorSearchWindow(std::shared_ptr<platform::Connection> connection, const QString& text,
                     QWidget* parent = nullptr);

  // Lists the doctors for the text in the search box.
  void Search();
  // Takes the current row of the list, when there is one, and closes the window.
  void Pick();
  // The doctor picked (valid after exec() returned Accepted).
  const DoctorRecord& picked() const { return picked_; }

  platform::TextBox* searchBox() const { return search_; }
  platform::FlexGrid* list() const { return list_; }

 private:
  std::shared_ptr<platform::Connection> connection_;
  platform::TextBox* search_;
  platform::FlexGrid* list_;
  platform::SearchList* searchList_;
  DoctorRecord picked_;
};

}  // namespace suite
