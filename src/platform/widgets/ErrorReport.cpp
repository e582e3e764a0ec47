#include "platform/widgets/ErrorReport.h"

#include "platform/Errors.h"
#include "platform/widgets/MsgBox.h"

namespace platform {

void ReportFailure(const std::exception& error) {
  MsgBox(FailureText(error), vbCritical, AppTitle());
}

}  // namespace platform
