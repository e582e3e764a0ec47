#pragma once

#include <QString>
#include <QVariant>
#include <memory>

#include "suite/Component.h"

namespace platform {
class Connection;
}

namespace suite {

inline const QString kCodeSearchProgId = QStringLiteral("Lookupdesk.clsCodeSearch");

// The record of the doctor chosen in a search.
struct DoctorRecord {
  QString ResultCode;
  QString Lastname;
  QString FirstName;
};

// The code-search component: lets the user find a doctor in its own window.
class ICodeSearch : public Component {
 public:
  virtual void MTS_Server(const QString& server) = 0;
  virtual void SearchMode(bool on) = 0;
  virtual void Initialize_Classes() = 0;
  virtual void Connection(std::shared_ptr<platform::Connection> connection) = 0;
  virtual void CompanyName(const QString& name) = 0;
  // Returns when the user has finished; true (as a QVariant) when a doctor was chosen.
  virtual QVariant SearchListing(const QString& text, qint32 mode) = 0;
  virtual suite::DoctorRecord DoctorRecord() = 0;
};

}  // namespace suite
