#include "suite/Component.h"

#include <QHash>

namespace suite {
namespace {

QHash<QString, ComponentFactory>& Factories() {
  static QHash<QString, ComponentFactory> factories;
  return factories;
}

QString Key(const QString& progId) {
  return progId.toLower();
}

}  // namespace

void Registry::Register(const QString& progId, ComponentFactory factory) {
  Factories().insert(Key(progId), std::move(factory));
}

void Registry::Unregister(const QString& progId) {
  Factories().remove(Key(progId));
}

ComponentFactory Registry::Find(const QString& progId) {
  return Factories().value(Key(progId));
}

ScopedRegistration::ScopedRegistration(const QString& progId, ComponentFactory factory)
    : progId_(progId), previous_(Registry::Find(progId)) {
  Registry::Register(progId, std::move(factory));
}

ScopedRegistration::~ScopedRegistration() {
  if (previous_)
    Registry::Register(progId_, previous_);
  else
    Registry::Unregister(progId_);
}

std::shared_ptr<Component> CreateObject(const QString& progId) {
  const ComponentFactory factory = Registry::Find(progId);
  if (!factory)
    throw platform::ComponentError(
        QStringLiteral("Cannot create the component \"%1\": no component is registered under "
                       "that name.")
            .arg(progId));
  std::shared_ptr<Component> object = factory();
  if (!object)
    throw platform::ComponentError(
        QStringLiteral("Cannot create the component \"%1\".").arg(progId));
  return object;
}

}  // namespace suite
