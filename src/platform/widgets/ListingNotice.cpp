#include "platform/widgets/ListingNotice.h"

#include <QLabel>

#include "platform/Errors.h"
#include "platform/Format.h"

namespace platform {

ListingNotice::ListingNotice(QLabel& line, const char* owner) : line_(line), owner_(owner) {
  line_.setAutoFillBackground(true);
  QPalette alarm = line_.palette();
  alarm.setColor(QPalette::Window, QColor(176, 0, 0));
  alarm.setColor(QPalette::WindowText, Qt::white);
  line_.setPalette(alarm);
  line_.hide();
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
    const auto* runtime = dynamic_cast<const RuntimeError*>(&error);
    qWarning("%s: the %s failed and is retried at every tick: %s", owner_, what,
             runtime ? qUtf8Printable(runtime->message()) : error.what());
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
  if (!listed_) return QStringLiteral("The database does not answer: no listing yet.") + retrying;
  if (!listedAt_.isValid())
    return QStringLiteral("The database does not answer: this is the last listing received.") +
           retrying;
  return QStringLiteral("The database does not answer: listing as of %1 server time.")
             .arg(Format(listedAt_, QStringLiteral("hh:mm:ss"))) +
         retrying;
}

}  // namespace platform
