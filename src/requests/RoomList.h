#pragma once

#include "session/ConnectionProvider.h"

class QComboBox;

namespace requests {

// Fills the operating room box with the rooms' names, in the order the server returns them,
// duplicates and empty names included. Runs once, at start-up, on the empty box.
void Load_ORRooms(QComboBox& cboRequestRoom,
                  const session::ConnectionProvider& connection = session::CurrentUserConnection());

}  // namespace requests
