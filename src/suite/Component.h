#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "platform/Errors.h"

namespace suite {

// An outside component of the hospital suite, created by its ProgID.
class Component {
 public:
  virtual ~Component() = default;
};

using ComponentFactory = std::function<std::shared_ptr<Component>()>;

// The small registry of ProgIDs. The program registers the suite's stand-ins at start-up; a
// test may put its own component in their place.
class Registry {
 public:
  // Registers (or replaces) the factory of a ProgID. ProgIDs are compared case-insensitively.
  static void Register(const QString& progId, ComponentFactory factory);
  static void Unregister(const QString& progId);
  static ComponentFactory Find(const QString& progId);
};

// Keeps a replacement registered for its lifetime and restores what was there before.
class ScopedRegistration {
 public:
  ScopedRegistration(const QString& progId, ComponentFactory factory);
  ~ScopedRegistration();
  ScopedRegistration(const ScopedRegistration&) = delete;
  ScopedRegistration& operator=(const ScopedRegistration&) = delete;

 private:
  QString progId_;
  ComponentFactory previous_;
};

// Creates the component registered under the ProgID. Throws platform::ComponentError for an
// unknown ProgID or when the factory fails.
std::shared_ptr<Component> CreateObject(const QString& progId);

// Creates the component and returns it as the interface the caller needs; throws
// platform::ComponentError when the component does not offer that interface.
template <class Interface>
std::shared_ptr<Interface> CreateObjectAs(const QString& progId) {
  auto object = std::dynamic_pointer_cast<Interface>(CreateObject(progId));
  if (!object)
    throw platform::ComponentError(
        QStringLiteral("The component \"%1\" does not support the members this program uses.")
            .arg(progId));
  return object;
}

}  // namespace suite
