#pragma once

#include <QString>
#include <memory>

#include "suite/Component.h"

namespace platform {
class Connection;
}

namespace suite {

inline const QString kCurrentUserProgId = QStringLiteral("Corvane_User.clsCurrentuser");

// The current-user component: knows the signed-in user and holds the one open connection.
class ICurrentUser : public Component {
 public:
  virtual void hwndParentForm(qint32 handle) = 0;  // written once, before showmain
  virtual qint32 hwndParentForm() const = 0;
  virtual void showmain() = 0;
  virtual bool Connected() = 0;
  // The open connection; throws platform::ComponentError when there is none.
  virtual std::shared_ptr<platform::Connection> SQLConnection() = 0;
  virtual QString employeecode() = 0;
  // Why the last showmain could not connect: what could not be opened or was refused, and
  // why; empty when it connected.
  virtual QString connectError() = 0;
};

// The stand-in: showmain opens the configured database (the embedded one by default, the
// server in $ORSCHED_ODBC when set) and signs in the employee the server maps the login to,
// else the user of $ORSCHED_EMPLOYEE (default: the demo user). A database that cannot be
// opened, or a sign-in the server refuses (an $ORSCHED_EMPLOYEE other than the login's
// employee), makes Connected false, not an exception, and connectError says why.
class CurrentUserStandIn : public ICurrentUser {
 public:
  void hwndParentForm(qint32 handle) override { parentWindow_ = handle; }
  qint32 hwndParentForm() const override { return parentWindow_; }
  void showmain() override;
  bool Connected() override { return connection_ != nullptr; }
  std::shared_ptr<platform::Connection> SQLConnection() override;
  QString employeecode() override { return employeeCode_; }
  QString connectError() override { return connectError_; }

 private:
  qint32 parentWindow_ = 0;
  std::shared_ptr<platform::Connection> connection_;
  QString employeeCode_;
  QString connectError_;
};

}  // namespace suite
