#include "requests/RoomList.h"

#include <QComboBox>

#include "app/modGlobal.h"
#include "platform/Connection.h"

namespace requests {

void Load_ORRooms(QComboBox& cboRequestRoom) {
  auto rooms = modGlobal::SQLConnection()->Open(QStringLiteral("SCHEDULE..sp_List_ORRooms"),
                                                platform::CursorType::ForwardOnly,
                                                platform::LockType::ReadOnly);
  const int nameField = rooms->FieldIndex(QStringLiteral("Room Name"));
  while (!rooms->AtEnd()) {
    // A room without a name (null) cannot be chosen by name; it is left out.
    const QVariant name = rooms->Field(QStringLiteral("Room Name"));
    if (!name.isNull()) cboRequestRoom.addItem(rooms->Text(nameField));
    rooms->MoveNext();
  }
  rooms->Close();
}

}  // namespace requests
