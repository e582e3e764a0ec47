#include "support/SuiteRecorder.h"

#include "suite/KeyPress.h"

namespace testsupport {

// The real stand-in, with its calls logged and its connection recorded.
class RecordingCurrentUser : public suite::ICurrentUser {
 public:
  explicit RecordingCurrentUser(SuiteRecorder& owner) : owner_(owner) {}
  ~RecordingCurrentUser() override { log(QStringLiteral("released")); }

  void hwndParentForm(qint32 handle) override {
    log(QStringLiteral("hwndParentForm"));
    real_.hwndParentForm(handle);
  }
  qint32 hwndParentForm() const override { return real_.hwndParentForm(); }
  void showmain() override {
    log(QStringLiteral("showmain"));
    real_.showmain();
    if (real_.Connected()) {
      owner_.connection_ =
          std::make_shared<RecordingConnection>(real_.SQLConnection(), owner_.log_);
      owner_.connection_->failWhen(owner_.fails_);
      owner_.connection_->serveWith(owner_.serve_);
    }
  }
  bool Connected() override {
    log(QStringLiteral("Connected"));
    return real_.Connected();
  }
  std::shared_ptr<platform::Connection> SQLConnection() override {
    log(QStringLiteral("SQLConnection"));
    real_.SQLConnection();  // fails as the real one does when there is no connection
    return owner_.connection_;
  }
  QString employeecode() override {
    log(QStringLiteral("employeecode"));
    return real_.employeecode();
  }
  QString connectError() override {
    log(QStringLiteral("connectError"));
    return real_.connectError();
  }

 private:
  void log(const QString& member) { *owner_.log_ << QStringLiteral("CurrentUser.") + member; }

  SuiteRecorder& owner_;
  suite::CurrentUserStandIn real_;
};

namespace {

// The code-search stand-in, with its members logged in the shared log.
class RecordingCodeSearch : public suite::CodeSearchStandIn {
 public:
  explicit RecordingCodeSearch(CallLog log) : log_(std::move(log)) {}
  ~RecordingCodeSearch() override { *log_ << QStringLiteral("CodeSearch.released"); }
  void MTS_Server(const QString& server) override {
    *log_ << QStringLiteral("CodeSearch.MTS_Server=") + server;
    CodeSearchStandIn::MTS_Server(server);
  }
  void SearchMode(bool on) override {
    *log_ << QStringLiteral("CodeSearch.SearchMode=%1").arg(on ? u"True" : u"False");
    CodeSearchStandIn::SearchMode(on);
  }
  void Initialize_Classes() override {
    *log_ << QStringLiteral("CodeSearch.Initialize_Classes");
    CodeSearchStandIn::Initialize_Classes();
  }
  void Connection(std::shared_ptr<platform::Connection> connection) override {
    *log_ << QStringLiteral("CodeSearch.Connection");
    CodeSearchStandIn::Connection(std::move(connection));
  }
  void CompanyName(const QString& name) override {
    *log_ << QStringLiteral("CodeSearch.CompanyName=") + name;
    CodeSearchStandIn::CompanyName(name);
  }

 private:
  CallLog log_;
};

// The keystroke stand-in, with its release logged.
class RecordingKeyPress : public suite::KeyPressStandIn {
 public:
  explicit RecordingKeyPress(CallLog log) : log_(std::move(log)) {}
  ~RecordingKeyPress() override { *log_ << QStringLiteral("KeyFilter.released"); }

 private:
  CallLog log_;
};

}  // namespace

SuiteRecorder::SuiteRecorder() {
  currentUser_ = std::make_unique<suite::ScopedRegistration>(suite::kCurrentUserProgId, [this] {
    *log_ << QStringLiteral("CreateObject ") + suite::kCurrentUserProgId;
    return std::make_shared<RecordingCurrentUser>(*this);
  });
  codeSearchReg_ = std::make_unique<suite::ScopedRegistration>(suite::kCodeSearchProgId, [this] {
    *log_ << QStringLiteral("CreateObject ") + suite::kCodeSearchProgId;
    auto codeSearch = std::make_shared<RecordingCodeSearch>(log_);
    codeSearch_ = codeSearch;
    return codeSearch;
  });
  keyPress_ = std::make_unique<suite::ScopedRegistration>(suite::kKeyPressProgId, [this] {
    *log_ << QStringLiteral("CreateObject ") + suite::kKeyPressProgId;
    return std::make_shared<RecordingKeyPress>(log_);
  });
}

SuiteRecorder::~SuiteRecorder() = default;

QStringList SuiteRecorder::logFrom(const QString& prefix) const {
  for (qsizetype i = 0; i < log_->size(); ++i)
    if (log_->at(i).startsWith(prefix)) return log_->mid(i);
  return {};
}

void SuiteRecorder::failWhen(std::function<bool(const QString&)> matches) {
  fails_ = std::move(matches);
  if (connection_) connection_->failWhen(fails_);
}

void SuiteRecorder::serveWith(RecordingConnection::Serve serve) {
  serve_ = std::move(serve);
  if (connection_) connection_->serveWith(serve_);
}

int SuiteRecorder::created(const QString& progId) const {
  return static_cast<int>(log_->count(QStringLiteral("CreateObject ") + progId));
}

}  // namespace testsupport
