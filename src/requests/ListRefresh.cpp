#include "requests/ListRefresh.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>

#include "platform/Twips.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/ListingNotice.h"
#include "requests/RequestList.h"
#include "session/ServerDate.h"

namespace requests {

ListRefresh::ListRefresh(RequestList& list, platform::FlexGrid& grid, QWidget& pane,
                         session::ConnectionProvider connection)
    : list_(list),
      grid_(grid),
      pane_(pane),
      connection_(std::move(connection)),
      timer_(new QTimer(&pane)),
      line_(new QLabel),
      known_(list.SharedListing()) {
  line_->setMargin(platform::TwipsToPixels(45));
  notice_ = std::make_unique<platform::ListingNotice>(*line_, "Request list",
                                                      QStringLiteral("The listing of requests"));
  grid_.SetHeaderNote(line_);
  timer_->setInterval(kIntervalMs);
  ticks_ = platform::ConnectGuarded(
      timer_, &QTimer::timeout, &pane_, [this] { Tick(); },
      [this](const std::exception& error) { notice_->ListingFailed(error); });
  // A listing the user asked for is current: a line about an older one goes.
  resets_ = QObject::connect(grid_.model(), &QAbstractItemModel::modelReset, &pane_,
                             [this] { ListingReplaced(); });
}

// The window's controls outlive this object while the window is destroyed.
ListRefresh::~ListRefresh() {
  timer_->stop();
  QObject::disconnect(ticks_);
  QObject::disconnect(resets_);
}

bool ListRefresh::NobodyWorksWithTheList() const {
  const QWidget* window = pane_.window();
  return pane_.isEnabled() && window->isVisible() && !window->isMinimized() &&
         !QApplication::activePopupWidget() && !QApplication::activeModalWidget();
}

void ListRefresh::Tick() {
  if (!NobodyWorksWithTheList()) return;
  // The server's time first: the rows read next are at least as recent as it. When it cannot be
  // read, the database does not answer: the listing is not tried.
  QDateTime readAt;
  try {
    readAt = Get_ServerDate(connection_);
  } catch (const std::exception& error) {
    notice_->ClockFailed(error);
    throw;
  }
  notice_->ClockSucceeded();
  std::shared_ptr<const session::RequestListing> listing = list_.ListAfresh();
  if (!SameListing(*listing, list_.Listing())) ShowKeepingPlace(std::move(listing));
  notice_->ListingSucceeded(readAt);
}

// The list keeps the selected request while it is listed (RequestList::Show).
void ListRefresh::ShowKeepingPlace(std::shared_ptr<const session::RequestListing> listing) {
  const int top = grid_.verticalScrollBar()->value();
  const int left = grid_.horizontalScrollBar()->value();
  known_ = listing;
  list_.Show(std::move(listing));
  grid_.verticalScrollBar()->setValue(top);
  grid_.horizontalScrollBar()->setValue(left);
}

void ListRefresh::ListingReplaced() {
  if (list_.SharedListing() == known_) return;
  known_ = list_.SharedListing();
  notice_->ListingSucceeded(QDateTime());
}

bool SameListing(const session::RequestListing& a, const session::RequestListing& b) {
  if (a.Rows() != b.Rows() || a.Cols() != b.Cols() || a.Headers() != b.Headers()) return false;
  for (int r = 0; r < a.Rows(); ++r) {
    if (a.Minutes(r) != b.Minutes(r)) return false;
    for (int c = 0; c < a.Cols(); ++c)
      if (a.Text(r, c) != b.Text(r, c)) return false;
  }
  return true;
}

}  // namespace requests
