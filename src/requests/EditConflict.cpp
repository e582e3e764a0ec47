// An edited request is checked against the server before it is saved: another workstation may
// have changed, confirmed or revoked it since it was loaded, and a save would silently undo that.
#include "requests/EditConflict.h"

#include "platform/Duration.h"
#include "platform/Format.h"
#include "platform/widgets/MsgBox.h"
#include "requests/RequestStatus.h"

namespace requests {
namespace {

using session::ORSchedule;

const QString kWhenPattern = QStringLiteral("MM/DD/YYYY hh:mm:ss");

// A field of the form: a text of the request, a member of the team (compared by code, shown by
// name), the operation's date and time, or its expected duration.
struct FormField {
  const char16_t* caption;
  QString ORSchedule::*text = nullptr;
  int role = -1;
};

// The operation's date and time, and its duration: neither a text nor a member of the team.
constexpr int kWhen = -2;
constexpr int kDuration = -3;

constexpr FormField kFields[] = {
    {u"Name", &ORSchedule::patientName},
    {u"Room ID", &ORSchedule::patientRoom},
    {u"Procedure", &ORSchedule::procedure},
    {u"Schedule Date and Time", nullptr, kWhen},
    {u"OR Room (code)", &ORSchedule::orRoomCode},
    {u"Est. Duration", nullptr, kDuration},
    {u"Surgeon", nullptr, session::kSurgeon},
    {u"Asst. 1 of the surgeons", nullptr, session::kSurgeon1},
    {u"Asst. 2 of the surgeons", nullptr, session::kSurgeon2},
    {u"Anesthesiologist", nullptr, session::kAnes},
    {u"Asst. 1 of the anesthesiologists", nullptr, session::kAnes2},
    {u"Scrub Nurse 1", nullptr, session::kSNurse},
    {u"Asst. 1 of the scrub nurses", nullptr, session::kSNurse2},
    {u"Circulating Nurse", nullptr, session::kCNurse},
    {u"Asst. Doctor", nullptr, session::kAsstDoc},
    {u"Remarks", &ORSchedule::remarks},
};

// What a question about a request named: its patient, its date and time, its OR room.
constexpr FormField kAskedAbout[] = {kFields[0], kFields[3], kFields[4]};

QString When(const QDateTime& at) {
  return platform::Format(at, kWhenPattern);
}

// Texts as the server compares them, trailing blanks aside; the date and time by the moment.
bool Same(const FormField& field, const ORSchedule& a, const ORSchedule& b) {
  if (field.role == kWhen) return a.operationAt == b.operationAt;
  if (field.role == kDuration) return a.minutes == b.minutes;
  if (field.text) return (a.*field.text).trimmed() == (b.*field.text).trimmed();
  return a.staff[field.role].code.trimmed() == b.staff[field.role].code.trimmed();
}

QString Shown(const FormField& field, const ORSchedule& r) {
  const QString value = field.role == kWhen ? When(r.operationAt)
                        : field.role == kDuration
                            ? (r.minutes ? platform::DurationText(*r.minutes) : QString())
                        : field.text ? (r.*field.text).trimmed()
                                     : r.staff[field.role].name.trimmed();
  return value.isEmpty() ? QStringLiteral("(empty)") : u'"' + value + u'"';
}

QString ChangeLine(const FormField& field, const ORSchedule& before, const ORSchedule& now) {
  return QStringLiteral("%1: from %2 to %3.")
      .arg(QString::fromUtf16(field.caption), Shown(field, before), Shown(field, now));
}

}  // namespace

// A confirmation or revocation since the load, with who did it and when.
QString StatusChangeSince(const ORSchedule& loaded, const ORSchedule& current) {
  const RequestStatus was = loaded.status, now = current.status;
  const auto doneLine = [&](const char16_t* done, QString ORSchedule::*by,
                            QDateTime ORSchedule::*at) {
    const bool sameRecord =
        (loaded.*by).trimmed() == (current.*by).trimmed() && loaded.*at == current.*at;
    if (was == now && sameRecord) return QString();
    return QStringLiteral("It was %1 by %2 on %3.")
        .arg(QString::fromUtf16(done), (current.*by).trimmed(), When(current.*at));
  };
  if (now == RequestStatus::Confirmed)
    return doneLine(u"confirmed", &ORSchedule::confirmedBy, &ORSchedule::confirmedAt);
  if (now == RequestStatus::Revoked)
    return doneLine(u"revoked", &ORSchedule::revokedBy, &ORSchedule::revokedAt);
  if (was == now) return QString();
  return QStringLiteral("Its status changed from %1 to %2.").arg(LegendWord(was), LegendWord(now));
}

QStringList ChangesSince(const ORSchedule& loaded, const ORSchedule& current,
                         const ORSchedule& toSend) {
  QStringList changes;
  for (const FormField& field : kFields)
    if (!Same(field, loaded, current) && !Same(field, toSend, current))
      changes << ChangeLine(field, loaded, current);
  const QString status = StatusChangeSince(loaded, current);
  if (!status.isEmpty()) changes << status;
  return changes;
}

QStringList ChangesAskedAbout(const ORSchedule& asked, const ORSchedule& now) {
  QStringList changes;
  for (const FormField& field : kAskedAbout)
    if (!Same(field, asked, now)) changes << ChangeLine(field, asked, now);
  const QString status = StatusChangeSince(asked, now);
  if (!status.isEmpty()) changes << status;
  return changes;
}

bool HoldsAllSent(const ORSchedule& listed, const ORSchedule& sent) {
  for (const FormField& field : kFields)
    if (!Same(field, listed, sent)) return false;
  return true;
}

ConflictChoice AskAboutChanges(const QStringList& changes, const QString& listedDay,
                               const QString& movedTo) {
  const QString moved = QStringLiteral(
      "This schedule is no longer listed for %1: another workstation has moved it to %2 since "
      "you opened it");
  QString what;
  if (changes.isEmpty())
    what = moved.arg(listedDay, QStringLiteral("another date")) + u'.';
  else if (!movedTo.isEmpty() && movedTo != listedDay)
    what = moved.arg(listedDay, movedTo) + u':';
  else
    what = QStringLiteral("Another workstation has changed this schedule since you opened it:");
  if (!changes.isEmpty()) what += QStringLiteral("\r\n") + changes.join(QStringLiteral("\r\n"));
  const int answer = platform::MsgBox(
      what + QStringLiteral("\r\n\r\nPress YES to save your changes over it, NO to keep what you "
                            "typed and see the schedule as it is now, or CANCEL to go back to "
                            "the form."),
      platform::vbYesNoCancel | platform::vbExclamation | platform::vbDefaultButton3,
      QStringLiteral("WARNING!"));
  if (answer == platform::vbYes) return ConflictChoice::SaveOver;
  if (answer == platform::vbNo) return ConflictChoice::ShowCurrent;
  return ConflictChoice::BackToForm;
}

}  // namespace requests
