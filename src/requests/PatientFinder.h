#pragma once

#include <QString>

#include "session/ConnectionProvider.h"

class QWidget;

namespace platform {
class DTPicker;
class FlexGrid;
class TextBox;
}  // namespace platform

namespace session {
struct FoundRequest;
}

namespace requests {

class RequestList;

// Letters typed into a box of the find go in upper case, as names are kept.
void TypeInUpperCase(platform::TextBox& box);

// "Find patient:" beside the list's date: letters go in upper case; Enter in the box opens the find
// window (frmFind) for what the box holds; a request picked there is listed on its date and
// selected.
class PatientFinder {
 public:
  PatientFinder(platform::TextBox& box, RequestList& list, platform::DTPicker& datePicker,
                platform::FlexGrid& grid,
                session::ConnectionProvider connection = session::CurrentUserConnection());

  // Enter in the box. The box keeps the text last searched for in the window.
  void txtFind_Enter();
  // Lists the date of a request found and selects it, as a click on its row would; the list
  // shows the date as it is now, whether or not the request is still on it.
  void ShowFound(const session::FoundRequest& request);

 private:
  platform::TextBox& box_;
  RequestList& list_;
  platform::DTPicker& datePicker_;
  platform::FlexGrid& grid_;
  session::ConnectionProvider connection_;
};

}  // namespace requests
