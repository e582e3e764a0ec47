#include "requests/PatientFinder.h"

#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/TextBox.h"
#include "requests/RequestList.h"
#include "requests/frmFind.h"
#include "session/FoundRequests.h"
#include "session/ORSchedule.h"

namespace requests {

void TypeInUpperCase(platform::TextBox& box) {
  box.SetKeyPressHook([](qint16& key) { key = qint16(QChar(char16_t(key)).toUpper().unicode()); });
}

PatientFinder::PatientFinder(platform::TextBox& box, RequestList& list,
                             platform::DTPicker& datePicker, platform::FlexGrid& grid,
                             session::ConnectionProvider connection)
    : box_(box),
      list_(list),
      datePicker_(datePicker),
      grid_(grid),
      connection_(std::move(connection)) {
  TypeInUpperCase(box_);
}

void PatientFinder::txtFind_Enter() {
  frmFind window(box_.text(), box_.window(), connection_);
  const bool picked = window.exec() == QDialog::Accepted && window.Picked();
  box_.setText(window.txtSearch->text());
  if (picked) ShowFound(*window.Picked());
}

void PatientFinder::ShowFound(const session::FoundRequest& request) {
  if (!request.operationDate.isValid()) return;  // no date to list it on
  datePicker_.SetValue(request.operationDate);
  list_.Reload();
  list_.Select(request.transNum);
  if (grid_.Row() < 1) return;
  grid_.scrollTo(grid_.model()->index(grid_.Row() - 1, session::RequestColumn::kPatientName));
  grid_.setFocus();
  list_.mshflexPending_Click();
}

}  // namespace requests
