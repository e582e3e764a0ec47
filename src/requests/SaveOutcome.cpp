// What became of this desk's writes whose commit's answer was lost.
#include "requests/SaveOutcome.h"

#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/widgets/MsgBox.h"
#include "requests/EditConflict.h"
#include "session/FreshListing.h"

namespace requests {

using session::ORSchedule;
using session::RequestStatus;

void Notify(const QString& text, int icon) {
  platform::MsgBox(text, platform::vbOKOnly | icon, QStringLiteral("Notification!"));
}

SentRequest::SentRequest(platform::Connection& connection, ORSchedule request, QString savedBy,
                         QString day)
    : request_(std::move(request)), savedBy_(std::move(savedBy)), day_(std::move(day)) {
  session::ForEachRequest(connection, day_, [this](const ORSchedule& listed) {
    if (listed.transNum) listedBefore_.insert(*listed.transNum);
  });
}

// Another workstation may store the same request meanwhile: only a row saved under this
// employee's code is taken for ours.
std::optional<ORSchedule> SentRequest::Find(platform::Connection& connection,
                                            const ORSchedule& sent) const {
  std::optional<ORSchedule> stored;
  session::ForEachRequest(connection, day_, [&](const ORSchedule& listed) {
    if (stored || !listed.transNum || listedBefore_.contains(*listed.transNum)) return;
    const bool savedByUs =
        listed.savedBy.trimmed().compare(savedBy_.trimmed(), Qt::CaseInsensitive) == 0;
    if (savedByUs && HoldsAllSent(listed, sent)) stored = listed;
  });
  return stored;
}

std::optional<ORSchedule> SentRequest::FindStored(platform::Connection& connection) const {
  return Find(connection, request_);
}

// The save does not tell the number it gave the request: the request is found on its day.
qint64 SentRequest::NumberSaved(platform::Connection& connection) const {
  ORSchedule withoutDuration = request_;
  withoutDuration.minutes.reset();
  const std::optional<ORSchedule> saved = Find(connection, withoutDuration);
  if (!saved)
    throw platform::DatabaseError(
        QStringLiteral("The new schedule was not found on its date after it was saved, so its "
                       "estimated duration could not be stored with it. Nothing was saved."));
  return *saved->transNum;
}

OwnWrites::OwnWrites(session::ConnectionProvider connection) : connection_(std::move(connection)) {}

void OwnWrites::Stored(const ORSchedule& stored, bool statusOnly) const {
  if (noted_) noted_(stored, statusOnly);
}

namespace {

// Whether the request as the server holds it now holds what this desk sent.
bool Holds(const ORSchedule& now, const OwnWrites::Unsure& write) {
  if (!write.statusOnly) return HoldsAllSent(now, write.sent);
  const bool confirmed = write.sent.status == RequestStatus::Confirmed;
  const QDateTime& at = confirmed ? now.confirmedAt : now.revokedAt;
  return now.status == write.sent.status && at.isValid() && at >= write.since;
}

}  // namespace

Fate OwnWrites::LookUp(const Unsure& write) {
  const qint64 transNum = *write.sent.transNum;
  std::optional<ORSchedule> now;
  try {
    now = session::ReadRequest(*connection_(), transNum);
  } catch (const platform::RuntimeError&) {
    unsure_[transNum] = write;
    return Fate::Unknown;
  }
  unsure_.erase(transNum);
  if (!now || !Holds(*now, write)) return Fate::NotStored;
  Stored(*now, write.statusOnly);
  return Fate::Stored;
}

bool OwnWrites::Settle() {
  while (!unsure_.empty()) {
    const Unsure write = unsure_.begin()->second;
    const Fate fate = LookUp(write);
    if (fate == Fate::Unknown) {
      Notify(QStringLiteral("%1 may or may not have been stored: the server does not answer yet. "
                            "Nothing was sent now; please try again in a moment.")
                 .arg(Described(write)),
             platform::vbCritical);
      return false;
    }
    Notify(QStringLiteral("%1, sent when the link to the database broke, was %2.")
               .arg(Described(write), fate == Fate::Stored ? QStringLiteral("stored after all")
                                                           : QStringLiteral("not stored")),
           fate == Fate::Stored ? platform::vbInformation : platform::vbCritical);
  }
  return true;
}

QString OwnWrites::Described(const Unsure& write) {
  const QString patient = write.sent.patientName.trimmed();
  if (!write.statusOnly)
    return QStringLiteral("The change to the schedule of patient %1").arg(patient);
  const bool confirmed = write.sent.status == RequestStatus::Confirmed;
  return QStringLiteral("The %1 of the schedule of patient %2")
      .arg(confirmed ? QStringLiteral("confirmation") : QStringLiteral("revocation"), patient);
}

}  // namespace requests
