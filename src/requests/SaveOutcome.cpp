// Finding out whether a new request whose link broke while it was saved was stored.
#include "requests/SaveOutcome.h"

#include <QLineEdit>

#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/TextBox.h"
#include "requests/EditConflict.h"
#include "requests/EntryForm.h"
#include "session/FreshListing.h"
#include "session/Statements.h"

namespace requests {

using session::ORSchedule;
using session::RequestColumn;

SentRequest::SentRequest(platform::Connection& connection, ORSchedule request, QString savedBy,
                         QString day)
    : request_(std::move(request)), savedBy_(std::move(savedBy)), day_(std::move(day)) {
  session::ForEachRequest(connection, day_, [this](const ORSchedule& listed) {
    listedBefore_.insert(listed.transNum.trimmed());
  });
}

// Another workstation may store the same request meanwhile: only a row saved under this
// employee's code (the listing's column after the assistant doctor) is taken for ours.
std::optional<ORSchedule> SentRequest::FindStored(platform::Connection& connection) const {
  std::optional<ORSchedule> stored;
  session::ForEachRequest(connection, day_, [&](const ORSchedule& listed) {
    if (stored || listedBefore_.contains(listed.transNum.trimmed())) return;
    const bool savedByUs = listed[RequestColumn::kNotUsed].trimmed().compare(
                               savedBy_.trimmed(), Qt::CaseInsensitive) == 0;
    if (savedByUs && HoldsAllSent(listed, request_)) stored = listed;
  });
  return stored;
}

// Sends the save. A new request whose link breaks on the way is looked for once the server
// answers again: found, the save succeeded; not found, the failure stands. When the server
// cannot be asked yet, the request stays unsettled for the next save to look for first.
void EntryForm::SendSave(const ORSchedule& request, const QString& savedBy,
                         const QString& savedAt) {
  const QString sql = session::SaveScheduleSql(request, savedBy, savedAt);
  if (!request.transNum.isEmpty()) {  // a change: sent twice, it is stored once
    try {
      connection_()->Execute(sql);
    } catch (const platform::LinkError&) {
      unsureEdit_ = request;  // a later save does not take it for another workstation's change
      throw;
    }
    return;
  }
  const QString day = platform::Format(c_.dtpOperation->Value(), QStringLiteral("MM/DD/YYYY"));
  SentRequest sent(*connection_(), request, savedBy, day);
  try {
    connection_()->Execute(sql);
  } catch (const platform::LinkError&) {
    unsettled_ = sent;
    unsettledInForm_ = true;
    if (!SettledAsStored()) throw;
  }
}

// Whether the unsettled request was stored, once the server answers: none is unsettled after.
bool EntryForm::SettledAsStored() {
  std::optional<ORSchedule> stored;
  try {
    stored = unsettled_->FindStored(*connection_());
  } catch (const platform::RuntimeError&) {
    return false;  // the server cannot be asked yet: it stays unsettled
  }
  unsettled_.reset();
  return stored.has_value();
}

// A save after one whose fate was left unknown looks for that request first. Found, and the
// form still holds it as typed or holds the same request again, this save changes it rather
// than storing it a second time; a request typed anew after Cancel or New is stored as new,
// and the user is told that the earlier one was stored after all. False, sending nothing,
// while the server cannot tell.
bool EntryForm::SettleEarlierSave(ORSchedule& toSend) {
  if (!unsettled_) return true;
  std::optional<ORSchedule> stored;
  try {
    stored = unsettled_->FindStored(*connection_());
  } catch (const platform::RuntimeError&) {
    platform::MsgBox(
        QStringLiteral("The schedule saved last (patient %1) may or may not have been stored: "
                       "the server does not answer yet. Nothing was saved now; please save "
                       "again in a moment.")
            .arg(unsettled_->request().patientName.trimmed()),
        platform::vbOKOnly | platform::vbCritical, QStringLiteral("Notification!"));
    return false;
  }
  const bool sameForm = unsettledInForm_;
  unsettled_.reset();
  if (!stored || !toSend.transNum.isEmpty() || !(sameForm || HoldsAllSent(*stored, toSend))) {
    if (stored)
      platform::MsgBox(QStringLiteral("The schedule saved last (patient %1) was stored after "
                                      "all, although its save was reported as failed.")
                           .arg(stored->patientName.trimmed()),
                       platform::vbOKOnly | platform::vbInformation,
                       QStringLiteral("Notification!"));
    return true;
  }
  toSend.transNum = stored->transNum.trimmed();
  c_.txtTransNum->setText(toSend.transNum);
  loaded_ = stored;
  return true;
}

}  // namespace requests
