#include "support/MainWindowFixture.h"

namespace testsupport {

MainWindowFixture::MainWindowFixture(const QDateTime& now, DatabaseFixture::Seed seed)
    : db_(now, seed) {}

MainWindowFixture::~MainWindowFixture() {
  if (window_) window_->close();
  window_.reset();
}

bool MainWindowFixture::start(const QRect& workArea) {
  display_.area = workArea;
  window_ = std::make_unique<frmMain>(nullptr, &display_);
  return window_->Show();
}

QStringList MainWindowFixture::statements() const {
  return suite_.connection() ? suite_.connection()->statements() : QStringList();
}

}  // namespace testsupport
