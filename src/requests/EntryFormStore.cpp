// Storing what the entry form holds: a new request, or a change of the loaded one checked
// against what the form loaded in the same transaction as the save. A save whose commit's
// answer is lost is looked up once the server answers, so that it is stored once and never
// taken for another workstation's change.
#include "platform/Connection.h"
#include "platform/Format.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/TextBox.h"
#include "requests/EditConflict.h"
#include "requests/EntryForm.h"
#include "requests/RequestList.h"
#include "session/CheckedWrite.h"
#include "session/FreshListing.h"
#include "session/Statements.h"
#include "session/modGlobal.h"

namespace requests {

using session::ORSchedule;

namespace {

const QString kLinkBroke = QStringLiteral("The link to the database broke while saving. ");

}  // namespace

bool EntryForm::Store(ORSchedule& request, const QDateTime& savedAt) {
  const QString savedBy = modGlobal::EmployeeCode();
  return request.transNum ? StoreChange(request, savedBy, savedAt)
                          : StoreNew(request, savedBy, savedAt);
}

// Sends the new request, and its duration in the same transaction. Whether a request whose
// commit's answer was lost is stored is looked up at once: found, the save succeeded; not found, it
// failed; when the server cannot be asked yet, the next save looks first.
bool EntryForm::StoreNew(const ORSchedule& request, const QString& savedBy,
                         const QDateTime& savedAt) {
  const QString day = platform::Format(request.operationAt, QStringLiteral("MM/DD/YYYY"));
  SentRequest sent(*connection_(), request, savedBy, day);
  const session::CheckedWrite write{
      std::nullopt, [](auto&, auto&) { return true; },
      [&](platform::Connection& connection) {
        connection.Execute(session::SaveScheduleSql(request, savedBy, savedAt));
        if (request.minutes)
          connection.Execute(
              session::SetDurationSql(sent.NumberSaved(connection), request.minutes));
      }};
  try {
    session::RunChecked(*connection_(), write);
    return true;
  } catch (const session::FateUnknownError&) {
    unsettled_ = sent;
    unsettledInForm_ = true;
  }
  const Fate fate = SettleNew();
  if (fate == Fate::Stored) return true;
  Notify(kLinkBroke + (fate == Fate::NotStored
                           ? QStringLiteral("The schedule was not stored; nothing typed was lost.")
                           : QStringLiteral("The schedule may or may not have been stored; it is "
                                            "checked before your next save.")),
         platform::vbCritical);
  return false;
}

// Whether the unsettled new request was stored, once the server answers: none is unsettled
// after.
Fate EntryForm::SettleNew() {
  std::optional<ORSchedule> stored;
  try {
    stored = unsettled_->FindStored(*connection_());
  } catch (const platform::RuntimeError&) {
    return Fate::Unknown;  // the server cannot be asked yet: it stays unsettled
  }
  unsettled_.reset();
  return stored ? Fate::Stored : Fate::NotStored;
}

// A change is saved as typed unless another workstation has changed the request since it was
// loaded and the user, told what changed, chooses otherwise. The check and the save are one
// transaction, the request read by its number wherever it now lies; nothing waits for the user
// while the row is held: after a Yes the check runs again, and asks again about what changed
// while the question was open. Whatever the choice, nothing typed is lost, the form stays in edit
// mode until it is saved or cancelled, and what the user was shown is what a later save is
// checked against.
bool EntryForm::StoreChange(ORSchedule& request, const QString& savedBy, const QDateTime& savedAt) {
  bool overGone = false;  // the user chose to save over a request no longer there
  for (;;) {
    std::optional<ORSchedule> current;
    QStringList changes;
    const session::CheckedWrite write{
        request.transNum,
        [&](const std::optional<ORSchedule>& now, platform::Connection&) {
          current = now;
          if (now && loaded_) changes = ChangesSince(*loaded_, *now, request);
          return now ? changes.isEmpty() : overGone;
        },
        [&](platform::Connection& connection) {
          connection.Execute(session::SaveScheduleSql(request, savedBy, savedAt));
          connection.Execute(session::SetDurationSql(*request.transNum, request.minutes));
        }};
    try {
      if (session::RunChecked(*connection_(), write)) return true;
    } catch (const session::FateUnknownError&) {
      const Fate fate = own_.LookUp({request, false, {}});
      if (fate == Fate::Stored) return true;
      Notify(
          kLinkBroke + (fate == Fate::NotStored
                            ? QStringLiteral("The change was not stored; nothing typed was lost.")
                            : QStringLiteral("The change may or may not have been stored; it "
                                             "is checked before your next save.")),
          platform::vbCritical);
      return false;
    }
    const QString day = loaded_ ? session::ListedDayOf(*loaded_) : requestList_.ListedDay();
    const ConflictChoice choice =
        AskAboutChanges(changes, day, current ? session::ListedDayOf(*current) : QString());
    if (choice == ConflictChoice::BackToForm) return false;
    if (current) loaded_ = current;
    overGone = !current;
    if (choice == ConflictChoice::SaveOver) continue;
    if (current)
      requestList_.ShowRequest(*current);
    else
      requestList_.Reload();
    return false;
  }
}

// A save after one whose fate was left unknown looks for that request first. Found, and the
// form still holds it as typed or holds the same request again, this save changes it rather
// than storing it a second time; otherwise the user is told what became of it, and a request
// typed anew after Cancel or New is stored as new. False, sending nothing, while the server
// cannot tell.
bool EntryForm::SettleEarlierSave(ORSchedule& toSend) {
  if (!unsettled_) return true;
  const QString patient = unsettled_->request().patientName.trimmed();
  std::optional<ORSchedule> stored;
  try {
    stored = unsettled_->FindStored(*connection_());
  } catch (const platform::RuntimeError&) {
    Notify(QStringLiteral("The schedule saved last (patient %1) may or may not have been stored: "
                          "the server does not answer yet. Nothing was saved now; please save "
                          "again in a moment.")
               .arg(patient),
           platform::vbCritical);
    return false;
  }
  const bool sameForm = unsettledInForm_;
  unsettled_.reset();
  const bool sameRequest =
      !toSend.transNum && (sameForm || (stored && HoldsAllSent(*stored, toSend)));
  if (stored && sameRequest) {
    toSend.transNum = stored->transNum;
    c_.txtTransNum->setText(stored->TransNumText());
    loaded_ = stored;
  } else if (!(sameRequest && !stored)) {
    Notify(QStringLiteral("The schedule saved last (patient %1), when the link to the database "
                          "broke, was %2.")
               .arg(patient,
                    stored ? QStringLiteral("stored after all") : QStringLiteral("not stored")),
           stored ? platform::vbInformation : platform::vbCritical);
  }
  return true;
}

// The status, who and when as the server holds them after this workstation's own confirmation
// or revocation, the rest as loaded, so that another workstation's changes are still told; or
// the whole request as this workstation stored it.
void EntryForm::NoteOwnChange(const ORSchedule& stored, bool statusOnly) {
  if (!loaded_ || loaded_->transNum != stored.transNum) return;
  if (!statusOnly) {
    loaded_ = stored;
    return;
  }
  loaded_->status = stored.status;
  loaded_->confirmedBy = stored.confirmedBy;
  loaded_->confirmedAt = stored.confirmedAt;
  loaded_->revokedBy = stored.revokedBy;
  loaded_->revokedAt = stored.revokedAt;
}

}  // namespace requests
