#include "platform/widgets/SearchList.h"

#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/Keys.h"
#include "platform/widgets/TextBox.h"

namespace platform {

SearchList::SearchList(TextBox& box, FlexGrid& list, std::function<void()> search,
                       std::function<void()> pick, EnterInBox enter, FailureReport report)
    : QObject(&box),
      box_(box),
      list_(list),
      search_(std::move(search)),
      pick_(std::move(pick)),
      enter_(enter),
      failure_(std::move(report)) {
  waiting_.setSingleShot(true);
  waiting_.setInterval(kSettleMs);
  connect(&waiting_, &QTimer::timeout, this, [this] { List(); });
  // Each change starts the wait afresh: the list follows the text once the typing pauses.
  connect(&box_, &QLineEdit::textChanged, this, [this] { waiting_.start(); });
  ConnectGuarded(&list_, &FlexGrid::DblClick, this, [this] { Pick(); });
  box_.installEventFilter(this);
}

bool SearchList::List() {
  waiting_.stop();
  if (failure_.Run(search_)) return true;
  list_.SetRows(1);
  return false;
}

bool SearchList::Settle() {
  return !waiting_.isActive() || List();
}

void SearchList::PickAsTyped() {
  if (Settle()) Pick();
}

// What the user picks is what the list shows: a listing still waiting is not made.
void SearchList::Pick() {
  waiting_.stop();
  pick_();
}

void SearchList::GoIntoList() {
  if (!Settle() || !list_.isEnabled()) return;
  if (list_.Row() < 1 && list_.Rows() > 1) list_.SetRow(1);
  list_.setFocus();
}

bool SearchList::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &box_ || event->type() != QEvent::KeyPress)
    return QObject::eventFilter(watched, event);
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (IsEnter(key)) {
    if (IsRepeatedEnter(key)) return true;
    Guarded([this] {
      if (enter_ == EnterInBox::Lists)
        List();
      else
        PickAsTyped();
    });
    return true;
  }
  if (key.key() == Qt::Key_Down) {
    Guarded([this] { GoIntoList(); });
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace platform
