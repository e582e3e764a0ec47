#include "requests/RoomList.h"

#include <QComboBox>

#include "platform/Connection.h"
#include "session/Statements.h"

namespace requests {

void Load_ORRooms(QComboBox& cboRequestRoom, const session::ConnectionProvider& connection) {
  auto rooms = connection()->Open(session::RoomListSql(), platform::CursorType::ForwardOnly,
                                  platform::LockType::ReadOnly);
  // A box fills by showing its first item; it keeps showing what it showed (none, at start-up).
  const int shown = cboRequestRoom.currentIndex();
  const int nameField = rooms->FieldIndex(QStringLiteral("Room Name"));
  while (!rooms->AtEnd()) {
    // A room without a name (null) cannot be chosen by name; it is left out.
    const QVariant name = rooms->Field(QStringLiteral("Room Name"));
    if (!name.isNull()) cboRequestRoom.addItem(rooms->Text(nameField));
    rooms->MoveNext();
  }
  rooms->Close();
  cboRequestRoom.setCurrentIndex(shown);
}

}  // namespace requests
