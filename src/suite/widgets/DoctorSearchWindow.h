#pragma once

#include <QDialog>
#include <memory>

#include "platform/widgets/ErrorReport.h"
#include "suite/CodeSearch.h"

namespace platform {
class Connection;
class FlexGrid;
class TextBox;
}  // namespace platform

namespace suite {

// The code-search component's window: the doctors whose last name begins with the text typed,
// or whose code it is, listed as the user types. Keyboard first: Down goes into the list, the
// arrows move in it, Enter or a double click picks, Esc gives up.
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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::shared_ptr<platform::Connection> connection_;
  platform::TextBox* search_;
  platform::FlexGrid* list_;
  DoctorRecord picked_;
  platform::ReportOnceUntilSuccess searchFailure_;
};

}  // namespace suite
