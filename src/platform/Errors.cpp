#include "platform/Errors.h"

namespace platform {

RuntimeError::RuntimeError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

QString FailureText(const std::exception& error) {
  const auto* runtime = dynamic_cast<const RuntimeError*>(&error);
  return runtime ? runtime->message() : QString::fromUtf8(error.what());
}

}  // namespace platform
