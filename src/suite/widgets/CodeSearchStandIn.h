#pragma once

#include <QStringList>

#include "suite/CodeSearch.h"

namespace suite {

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
