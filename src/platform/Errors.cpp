#include "platform/Errors.h"

namespace platform {

RuntimeError::RuntimeError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

}  // namespace platform
