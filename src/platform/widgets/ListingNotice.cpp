#include "platform/widgets/ListingNotice.h"

#include <QLabel>

#include "platform/Errors.h"
#include "platform/Format.h"

namespace platform {

ListingNotice::ListingNotice(QLabel& line, const char* owner, const QString& listing)
    : line_(line), owner_(owner), listing_(listing) {
  MakeAlarmLine(line_);
}

void MakeAlarmLine(QLabel& line) {
  line.setAutoFillBackground(true);
  QPalette alarm = line.palette();
  alarm.setColor(QPalette::Window, QColor(176, 0, 0));
  alarm.setColor(QPalette::WindowText, Qt::white);
  line.setPalette(alarm);
  line.hide();
}

void ListingNotice::ListingSucceeded(const QDateTime& serverTime) {
  listed_ = true;
  listedAt_ = serverTime;
  listingFailing_ = false;
  refresh();
}

void ListingNotice::ListingFailed(const std::exception& error) {
  failed(listingFailing_, "listing", error);
}

void ListingNotice::ClockSucceeded() {
  clockFailing_ = false;
  refresh();
}

void ListingNotice::ClockFailed(const std::exception& error) {
  failed(clockFailing_, "clock read", error);
}

bool ListingNotice::Showing() const {
  return listingFailing_ || clockFailing_;
}

// The cause is logged once when a read starts failing, not at every tick while it fails.
void ListingNotice::failed(bool& failing, const char* what, const std::exception& error) {
  if (!failing) {
    qWarning("%s: the %s failed and is retried at every tick: %s", owner_, what,
             qUtf8Printable(FailureText(error)));
  }
  failing = true;
  refresh();
}

void ListingNotice::refresh() {
  if (!Showing()) {
    line_.hide();
    return;
  }
  line_.setText(text());
  line_.show();
  line_.raise();
}

QString ListingNotice::text() const {
  const QString retrying = QStringLiteral(" Retrying...");
  if (!listingFailing_)
    return QStringLiteral(
               "The server's clock does not answer: the time shown is the last one "
               "read.") +
           retrying;
  // The clock reads from the same database: when it answers, only the listing failed.
  const QString what = clockFailing_ ? QStringLiteral("The database does not answer")
                                     : QStringLiteral("%1 failed").arg(listing_);
  if (!listed_) return what + QStringLiteral(": no listing yet.") + retrying;
  if (!listedAt_.isValid())
    return what + QStringLiteral(": this is the last listing received.") + retrying;
  return what +
         QStringLiteral(": listing as of %1 server time.")
             .arg(Format(listedAt_, QStringLiteral("hh:mm:ss"))) +
         retrying;
}

}  // namespace platform
