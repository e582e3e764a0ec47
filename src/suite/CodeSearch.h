#pragma once

#include <QString>
#include <QStringList>
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

// The stand-in. It records the members set on it, in order, so that the configuration made at
// start-up can be checked; it needs Initialize_Classes before it takes a connection.
// SearchListing shows its own window of doctors, modally, on that connection.
class CodeSearchStandIn : public ICodeSearch {
 public:
  void MTS_Server(const QString& server) override;
  void SearchMode(bool on) override;
  void Initialize_Classes() override;
  void Connection(std::shared_ptr<platform::Connection> connection) override;
  void CompanyName(const QString& name) override;
  QVariant SearchListing(const QString& text, qint32 mode) override;
  suite::DoctorRecord DoctorRecord() override { return chosen_; }

  // "MTS_Server=", "SearchMode=True", "Initialize_Classes", "Connection", "CompanyName=", ...
  QStringList membersSet() const { return membersSet_; }
  std::shared_ptr<platform::Connection> connection() const { return connection_; }

 private:
  QStringList membersSet_;
  bool initialized_ = false;
  bool searchMode_ = false;
  std::shared_ptr<platform::Connection> connection_;
  suite::DoctorRecord chosen_;
};

}  // namespace suite
