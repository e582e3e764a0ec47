#include "suite/widgets/StandardComponents.h"

#include "suite/Component.h"
#include "suite/CurrentUser.h"
#include "suite/KeyPress.h"
#include "suite/widgets/CodeSearchStandIn.h"

namespace suite {

void RegisterStandardComponents() {
  auto add = [](const QString& progId, ComponentFactory factory) {
    if (!Registry::Find(progId)) Registry::Register(progId, std::move(factory));
  };
  add(kCurrentUserProgId, [] { return std::make_shared<CurrentUserStandIn>(); });
  add(kCodeSearchProgId, [] { return std::make_shared<CodeSearchStandIn>(); });
  add(kKeyPressProgId, [] { return std::make_shared<KeyPressStandIn>(); });
}

}  // namespace suite
