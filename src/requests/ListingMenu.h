#pragma once

#include <QObject>
#include <QPoint>
#include <array>

class QAction;
class QMenu;

namespace platform {
class FlexGrid;
}

namespace requests {

class ListingOutput;

// The request list's context menu ("Print List...", "Export PDF...", "Export CSV..."), opened
// by a right click or the Menu key. Its items are usable only while there is a listing to put
// out. A right click is only a request for the menu: it neither moves the list's current row
// (the request that Confirm and Revoke act on) nor counts as a click on the list.
class ListingMenu : public QObject {
 public:
  ListingMenu(platform::FlexGrid& grid, QMenu& menu, std::array<QAction*, 3> items,
              const ListingOutput& output);

  // The grid asked for its context menu at `pos`, in its viewport's coordinates.
  void mshflexPending_ContextMenu(const QPoint& pos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  platform::FlexGrid& grid_;
  QMenu& menu_;
  std::array<QAction*, 3> items_;
  const ListingOutput& output_;
};

}  // namespace requests
