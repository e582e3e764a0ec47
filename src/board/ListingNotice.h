#pragma once

#include <QDateTime>
#include <exception>

class QLabel;

namespace board {

// The line that says the board is not current. A wall board has nobody to answer a message
// box and its ticks keep coming, so a failed listing or clock read shows this line instead,
// naming the server time of the last good listing, and the board retries at its next ticks.
// The line goes when every failing read has succeeded again.
class ListingNotice {
 public:
  explicit ListingNotice(QLabel& line);

  // `serverTime` is the server's time of the listing, invalid when it is not known.
  void ListingSucceeded(const QDateTime& serverTime);
  void ListingFailed(const std::exception& error);
  void ClockSucceeded();
  void ClockFailed(const std::exception& error);

  bool Showing() const;

 private:
  void failed(bool& failing, const char* what, const std::exception& error);
  void refresh();
  QString text() const;

  QLabel& line_;
  bool listingFailing_ = false;
  bool clockFailing_ = false;
  bool listed_ = false;
  QDateTime listedAt_;
};

}  // namespace board
