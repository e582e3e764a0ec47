// Finding out whether a new request whose link broke while it was saved was stored.
#include "requests/SaveOutcome.h"

#include <QLineEdit>

#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/TextBox.h"
#include "requests/EditConflict.h"
#include "requests/EntryForm.h"
#include "session/FreshListing.h"
#include "session/Statements.h"

namespace requests {

using session::ORSchedule;
using session::RequestColumn;

SentRequest::SentRequest(platform::Connection& connection, ORSchedule request, QString day)
    : request_(std::move(request)), day_(std::move(day)) {
  const auto listing = session::ListRequests(connection, day_);
  for (int row = 0; row < listing->Rows(); ++row)
    listedBefore_.insert(listing->Text(row, RequestColumn::kTransNum).trimmed().toString());
}

std::optional<ORSchedule> SentRequest::FindStored(platform::Connection& connection) const {
  const auto listing = session::ListRequests(connection, day_);
  for (int row = 0; row < listing->Rows(); ++row) {
    const QString transNum = listing->Text(row, RequestColumn::kTransNum).trimmed().toString();
    if (listedBefore_.contains(transNum)) continue;
    ORSchedule listed = listing->At(row);
    if (HoldsAllSent(listed, request_)) return listed;
  }
  return std::nullopt;
}

// Sends the save. A new request whose link breaks on the way is looked for once the server
// answers again: found, the save succeeded; not found, the failure stands. When the server
// cannot be asked yet, the request stays unsettled for the next save to look for first.
void EntryForm::SendSave(const ORSchedule& request, const QString& savedBy,
                         const QString& savedAt) {
  const QString sql = session::SaveScheduleSql(request, savedBy, savedAt);
  if (!request.transNum.isEmpty()) {  // a change: sent twice, it is stored once
    connection_()->Execute(sql);
    return;
  }
  const QString day = platform::Format(c_.dtpOperation->Value(), QStringLiteral("MM/DD/YYYY"));
  SentRequest sent(*connection_(), request, day);
  try {
    connection_()->Execute(sql);
  } catch (const platform::LinkError&) {
    unsettled_ = sent;
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

// A save after one whose fate was left unknown: when that request was stored, this save
// changes it rather than storing the request a second time. Throws, sending nothing, while the
// server cannot tell.
void EntryForm::SettleEarlierSave(ORSchedule& toSend) {
  if (!unsettled_ || !toSend.transNum.isEmpty()) return;
  const std::optional<ORSchedule> stored = unsettled_->FindStored(*connection_());
  unsettled_.reset();
  if (!stored) return;
  toSend.transNum = stored->transNum.trimmed();
  c_.txtTransNum->setText(toSend.transNum);
  loaded_ = stored;
}

}  // namespace requests
