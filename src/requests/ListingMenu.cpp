#include "requests/ListingMenu.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>

#include "platform/widgets/FlexGrid.h"
#include "requests/ListingOutput.h"

namespace requests {

ListingMenu::ListingMenu(platform::FlexGrid& grid, QMenu& menu, std::array<QAction*, 3> items,
                         const ListingOutput& output)
    : grid_(grid), menu_(menu), items_(items), output_(output) {
  // The grid's own handling of a right press would make the row under it current.
  grid_.viewport()->installEventFilter(this);
}

void ListingMenu::mshflexPending_ContextMenu(const QPoint& pos) {
  // The items are seen only here; what they do checks again when chosen.
  const bool available = output_.Available();
  for (QAction* item : items_)
    item->setEnabled(available);
  // The Menu key asks at the current cell, which may be scrolled out of sight.
  const QRect viewport = grid_.viewport()->rect();
  const QPoint at = viewport.contains(pos) ? pos : viewport.topLeft();
  menu_.popup(grid_.viewport()->mapToGlobal(at));
}

bool ListingMenu::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      // The context menu event that a right button raises comes apart from these.
      if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) return true;
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace requests
