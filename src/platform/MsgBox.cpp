#include "platform/MsgBox.h"
// Placeholder until the message box lands.
