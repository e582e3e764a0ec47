#include "suite/widgets/CodeSearchStandIn.h"

#include <QApplication>

#include "suite/widgets/DoctorSearchWindow.h"

namespace suite {

void CodeSearchStandIn::MTS_Server(const QString& server) {
  membersSet_ << QStringLiteral("MTS_Server=") + server;
}

void CodeSearchStandIn::SearchMode(bool on) {
  searchMode_ = on;
  membersSet_ << (on ? QStringLiteral("SearchMode=True") : QStringLiteral("SearchMode=False"));
}

void CodeSearchStandIn::Initialize_Classes() {
  initialized_ = true;
  membersSet_ << QStringLiteral("Initialize_Classes");
}

void CodeSearchStandIn::Connection(std::shared_ptr<platform::Connection> connection) {
  if (!initialized_)
    throw platform::ComponentError(
        QStringLiteral("The code search needs Initialize_Classes before its connection."));
  connection_ = std::move(connection);
  membersSet_ << QStringLiteral("Connection");
}

void CodeSearchStandIn::CompanyName(const QString& name) {
  membersSet_ << QStringLiteral("CompanyName=") + name;
}

QVariant CodeSearchStandIn::SearchListing(const QString& text, qint32) {
  if (!connection_)
    throw platform::ComponentError(QStringLiteral("The code search has no connection."));
  DoctorSearchWindow window(connection_, text, QApplication::activeWindow());
  if (window.exec() != QDialog::Accepted) return QVariant(false);
  chosen_ = window.picked();
  return QVariant(true);
}

}  // namespace suite
