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

class PaneState;
class RequestList;

// Letters typed into a box of the find go in upper case, as names are kept.
void TypeInUpperCase(platform::TextBox& box);

// "Find patient:" beside the list's date: letters go in upper case; Enter in the box opens the find
// window (frmFind) for what the box holds; a request picked there is listed on its date as it
// is now, and selected.
class PatientFinder {
 public:
  PatientFinder(platform::TextBox& box, RequestList& list, PaneState& state,
                platform::FlexGrid& grid,
                session::ConnectionProvider connection = session::CurrentUserConnection());

  // Enter in the box. The box keeps the text last searched for in the window.
  void txtFind_Enter();
  // Reads the request found by its number and lists the date it lies on now, selecting it as a
  // click on its row would. A request that is gone is said to be so, and none is selected.
  void ShowFound(const session::FoundRequest& request);

 private:
  platform::TextBox& box_;
  RequestList& list_;
  PaneState& state_;
  platform::FlexGrid& grid_;
  session::ConnectionProvider connection_;
};

}  // namespace requests
