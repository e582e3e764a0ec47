#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "platform/widgets/ErrorReport.h"

namespace platform {

class FlexGrid;
class TextBox;

// The list of a search window that follows its search box as the user types (the find window,
// the doctor search, the OR staff window). The box's text is listed again about 250 ms after
// its last change, not at every key. Enter and Down first list what is still waiting, so that
// they act on the listing of the text as typed, and do nothing while that listing fails. Down
// goes into the list, on its first row when none is current; Enter or a double click on the
// list picks its current row (the grid turns Enter into a double click); Enter in the box picks
// or lists, as the window wants. An Enter the keyboard repeats does nothing. A failing search
// empties the list, so that no row listed for another text can be picked, and is reported once
// (by `report`, a message box unless the window says otherwise), and again only after one has
// succeeded.
class SearchList : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSettleMs = 250;
  enum class EnterInBox { Picks, Lists };

  // `search` lists the box's text in the list and throws on a failure; `pick` takes the list's
  // current row. The search list lives as long as the box.
  SearchList(TextBox& box, FlexGrid& list, std::function<void()> search, std::function<void()> pick,
             EnterInBox enter, FailureReport report = ReportFailure);

  // Lists the box's text now; a listing still waiting is done with it. False when the search
  // failed: the list is then empty.
  bool List();
  // Lists now when a listing is waiting (tests call it rather than wait); whether the list
  // shows the box's text.
  bool Settle();
  // Picks the current row of the list of the box's text, as Enter in the box does (a window's
  // pick button).
  void PickAsTyped();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Pick();
  void GoIntoList();

  TextBox& box_;
  FlexGrid& list_;
  std::function<void()> search_;
  std::function<void()> pick_;
  EnterInBox enter_;
  QTimer waiting_;
  ReportOnceUntilSuccess failure_;
};

}  // namespace platform
