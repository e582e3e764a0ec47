#include "platform/widgets/ErrorReport.h"

#include "platform/Errors.h"
#include "platform/widgets/MsgBox.h"

namespace platform {

void ReportFailure(const std::exception& error) {
  const auto* runtime = dynamic_cast<const RuntimeError*>(&error);
  const QString text = runtime ? runtime->message() : QString::fromUtf8(error.what());
  MsgBox(text, vbCritical, AppTitle());
}

}  // namespace platform
