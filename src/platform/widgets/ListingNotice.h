#pragma once

#include <QDateTime>
#include <exception>

class QLabel;

namespace platform {

// The line that says a listing that keeps itself current is not current. Its ticks keep coming
// and may find nobody to answer a message box, so a failed listing or clock read shows this line
// instead, saying what failed (the listing, the server's clock, or the database when both do)
// and the server time of the last good listing, and the list retries at its next ticks. The line
// goes when every failing read has succeeded again. `owner` names the list in the log and
// `listing` its listing on the line ("The listing of requests"). The line is white on red.
// Gives a line the look of the alarm: white on red, hidden until shown.
void MakeAlarmLine(QLabel& line);

class ListingNotice {
 public:
  ListingNotice(QLabel& line, const char* owner, const QString& listing);

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
  const char* owner_;
  QString listing_;
  bool listingFailing_ = false;
  bool clockFailing_ = false;
  bool listed_ = false;
  QDateTime listedAt_;
};

}  // namespace platform
