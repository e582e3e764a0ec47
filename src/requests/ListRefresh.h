#pragma once

#include <QMetaObject>
#include <memory>

#include "session/ConnectionProvider.h"

class QLabel;
class QTimer;
class QWidget;

namespace platform {
class FlexGrid;
class ListingNotice;
}  // namespace platform

namespace session {
class RequestListing;
}

namespace requests {

class RequestList;

// Keeps the request list current while nobody works with it: every 30 seconds the listed date
// is listed again, as the board does, and shown only when the listing differs, keeping the
// selected request (by transaction number) and the scroll position. Nothing is listed while the
// request pane is locked (the entry form's new and edit modes), while a menu or a modal window
// (a message box) is open, or while the window is minimized or hidden. A failed listing keeps
// the rows and shows a line under the header saying how old they are; the next tick retries.
class ListRefresh {
 public:
  static constexpr int kIntervalMs = 30000;

  ListRefresh(RequestList& list, platform::FlexGrid& grid, QWidget& pane,
              session::ConnectionProvider connection = session::CurrentUserConnection());
  ~ListRefresh();

  QTimer& Timer() { return *timer_; }
  QLabel& Notice() { return *line_; }
  // One tick: lists the date again when nobody works with the list. Throws on a database
  // failure, which the timer shows on the notice line.
  void Tick();

 private:
  bool NobodyWorksWithTheList() const;
  void ShowKeepingPlace(std::shared_ptr<const session::RequestListing> listing);
  void ListingReplaced();

  RequestList& list_;
  platform::FlexGrid& grid_;
  QWidget& pane_;
  session::ConnectionProvider connection_;
  QTimer* timer_;
  QLabel* line_;
  QMetaObject::Connection ticks_, resets_;
  std::unique_ptr<platform::ListingNotice> notice_;
  // The listing this refresh knows the list to show; another one was listed by the user.
  std::shared_ptr<const session::RequestListing> known_;
};

// Whether two listings hold the same fields, texts and durations.
bool SameListing(const session::RequestListing& a, const session::RequestListing& b);

}  // namespace requests
