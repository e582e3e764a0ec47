// An edited request is checked against the server before it is saved: another workstation may
// have changed, confirmed or revoked it since it was loaded, and a save would silently undo that.
#include "requests/EditConflict.h"

#include "platform/Format.h"
#include "platform/widgets/MsgBox.h"
#include "requests/EntryForm.h"
#include "requests/RequestList.h"
#include "requests/RequestStatus.h"
#include "session/FreshListing.h"

namespace requests {
namespace {

using C = session::RequestColumn;
using session::ORSchedule;

const QString kWhenPattern = QStringLiteral("MM/DD/YYYY hh:mm:ss");

// A field of the form: the column compared (a staff member by code) and the one shown.
struct FormField {
  C::Column compared;
  C::Column shown;
  const char16_t* caption;
};

constexpr FormField kFields[] = {
    {C::kPatientName, C::kPatientName, u"Name"},
    {C::kPatientRoom, C::kPatientRoom, u"Room ID"},
    {C::kProcedure, C::kProcedure, u"Procedure"},
    {C::kOperationDate, C::kOperationDate, u"Schedule Date and Time"},
    {C::kORRoomCode, C::kORRoomCode, u"OR Room (code)"},
    {C::kSurgeonCode, C::kSurgeon, u"Surgeon"},
    {C::kSurgeon1Code, C::kSurgeon1, u"Asst. 1 of the surgeons"},
    {C::kSurgeon2Code, C::kSurgeon2, u"Asst. 2 of the surgeons"},
    {C::kAnesCode, C::kAnesthesiologist, u"Anesthesiologist"},
    {C::kAnes2Code, C::kAnes2, u"Asst. 1 of the anesthesiologists"},
    {C::kSNurseCode, C::kSNurse, u"Scrub Nurse 1"},
    {C::kSNurse2Code, C::kSNurse2, u"Asst. 1 of the scrub nurses"},
    {C::kCNurseCode, C::kCNurse, u"Circulating Nurse"},
    {C::kAsstDocCode, C::kAsstDoc, u"Asst. Doctor"},
    {C::kRemarks, C::kRemarks, u"Remarks"},
};

// Texts as the server compares them, trailing blanks aside; dates by the moment they name.
bool Same(C::Column column, const ORSchedule& a, const ORSchedule& b) {
  const QDateTime x = a.When(column), y = b.When(column);
  if (x.isValid() || y.isValid()) return x == y;
  return a[column].trimmed() == b[column].trimmed();
}

// A date and time as the form's messages show them; other text as it is.
QString DateText(const ORSchedule& r, C::Column column) {
  const QDateTime when = r.When(column);
  return when.isValid() ? platform::Format(when, kWhenPattern) : r[column].trimmed();
}

QString Shown(C::Column column, const ORSchedule& r) {
  const QString value = column == C::kOperationDate ? DateText(r, column) : r[column].trimmed();
  return value.isEmpty() ? QStringLiteral("(empty)") : u'"' + value + u'"';
}

}  // namespace

// A confirmation or revocation since the load, with who did it and when.
QString StatusChangeSince(const ORSchedule& loaded, const ORSchedule& current) {
  const RequestStatus was = loaded.statusCode, now = current.statusCode;
  const auto doneLine = [&](const char16_t* done, C::Column by, C::Column at) {
    const bool sameRecord = Same(by, loaded, current) && Same(at, loaded, current);
    if (was == now && sameRecord) return QString();
    return QStringLiteral("It was %1 by %2 on %3.")
        .arg(QString::fromUtf16(done), current[by].trimmed(), DateText(current, at));
  };
  if (now == RequestStatus::Confirmed)
    return doneLine(u"confirmed", C::kConfirmedBy, C::kDateConfirmed);
  if (now == RequestStatus::Revoked) return doneLine(u"revoked", C::kRevokedBy, C::kDateRevoked);
  if (was == now) return QString();
  return QStringLiteral("Its status changed from %1 to %2.").arg(LegendWord(was), LegendWord(now));
}

QStringList ChangesSince(const ORSchedule& loaded, const ORSchedule& current,
                         const ORSchedule& toSend, const ORSchedule* ownUnsure) {
  QStringList changes;
  for (const FormField& field : kFields) {
    const C::Column c = field.compared;
    if (Same(c, loaded, current) || Same(c, toSend, current)) continue;
    if (ownUnsure && Same(c, *ownUnsure, current)) continue;
    changes << QStringLiteral("%1: from %2 to %3.")
                   .arg(QString::fromUtf16(field.caption), Shown(field.shown, loaded),
                        Shown(field.shown, current));
  }
  const QString status = StatusChangeSince(loaded, current);
  if (!status.isEmpty()) changes << status;
  return changes;
}

bool HoldsAllSent(const ORSchedule& listed, const ORSchedule& sent) {
  for (const FormField& field : kFields)
    if (!Same(field.compared, listed, sent)) return false;
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

// An edited request is saved as typed unless another workstation has changed it since it was
// loaded and the user, told what changed, chooses otherwise. The request is read by its number,
// wherever it now lies, and read again after a Yes: what changed while the question was open
// is asked about in turn. Whatever the choice, nothing typed is lost, the form stays in edit
// mode until it is saved or cancelled, and what the user was shown is what a later save is
// checked against.
bool EntryForm::MaySaveOver(const session::ORSchedule& toSend) {
  if (!loaded_ || toSend.transNum.isEmpty()) return true;
  const QString day = session::ListedDayOf(*loaded_);
  for (;;) {
    const std::optional<ORSchedule> current = session::ReadRequest(*connection_(), toSend.transNum);
    const ORSchedule* ownUnsure = unsureEdit_ ? &*unsureEdit_ : nullptr;
    const QStringList changes =
        current ? ChangesSince(*loaded_, *current, toSend, ownUnsure) : QStringList();
    if (current && changes.isEmpty()) return true;
    const ConflictChoice choice =
        AskAboutChanges(changes, day, current ? session::ListedDayOf(*current) : QString());
    if (choice == ConflictChoice::BackToForm) return false;
    if (current) loaded_ = current;
    if (choice == ConflictChoice::SaveOver) {
      if (!current) return true;
      continue;
    }
    requestList_.Reload();
    requestList_.Select(toSend.transNum);
    return false;
  }
}

// The status, who and when as the server holds them after this workstation's own action; the
// rest stays as loaded, so that another workstation's changes are still told.
void EntryForm::NoteOwnStatusChange(const QString& transNum) {
  if (!loaded_ || loaded_->transNum.trimmed() != transNum.trimmed()) return;
  const std::optional<ORSchedule> now = session::ReadRequest(*connection_(), transNum);
  if (!now) return;
  for (C::Column c :
       {C::kStatus, C::kConfirmedBy, C::kDateConfirmed, C::kRevokedBy, C::kDateRevoked})
    (*loaded_)[c] = (*now)[c];
  loaded_->statusCode = now->statusCode;
  loaded_->confirmedAt = now->confirmedAt;
  loaded_->revokedAt = now->revokedAt;
}

}  // namespace requests
