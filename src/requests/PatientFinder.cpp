#include "requests/PatientFinder.h"

#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/TextBox.h"
#include "requests/PaneState.h"
#include "requests/RequestList.h"
#include "requests/SaveOutcome.h"
#include "requests/frmFind.h"
#include "session/FoundRequests.h"
#include "session/FreshListing.h"

namespace requests {

void TypeInUpperCase(platform::TextBox& box) {
  box.SetKeyPressHook([](qint16& key) { key = qint16(QChar(char16_t(key)).toUpper().unicode()); });
}

PatientFinder::PatientFinder(platform::TextBox& box, RequestList& list, PaneState& state,
                             platform::FlexGrid& grid, session::ConnectionProvider connection)
    : box_(box), list_(list), state_(state), grid_(grid), connection_(std::move(connection)) {
  TypeInUpperCase(box_);
}

void PatientFinder::txtFind_Enter() {
  frmFind window(box_.text(), box_.window(), connection_);
  const bool picked = window.exec() == QDialog::Accepted && window.Picked();
  box_.setText(window.txtSearch->text());
  if (picked) ShowFound(*window.Picked());
}

void PatientFinder::ShowFound(const session::FoundRequest& found) {
  const std::optional<session::ORSchedule> request =
      found.transNum ? session::ReadRequest(*connection_(), *found.transNum) : std::nullopt;
  if (!request) {
    state_.Select(std::nullopt);
    Notify(QStringLiteral("The schedule of patient %1 is no longer in the database: another "
                          "workstation has removed it.")
               .arg(found.patientName.trimmed()),
           platform::vbExclamation);
    return;
  }
  if (!request->operationAt.isValid()) return;  // no date to list it on
  list_.ShowRequest(*request);
  if (grid_.Row() > 0) grid_.setFocus();
}

}  // namespace requests
