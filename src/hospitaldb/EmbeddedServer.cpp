#include "hospitaldb/EmbeddedServer.h"
// Placeholder until the embedded server lands.
