#pragma once

#include <memory>

#include "app/frmMain.h"
#include "support/BoardFixture.h"
#include "support/DatabaseFixture.h"
#include "support/ModalWatchdog.h"
#include "support/MsgBoxRecorder.h"
#include "support/SuiteRecorder.h"

namespace testsupport {

// The main window on a fresh embedded database, with its components, statements and message
// boxes recorded and a watchdog over stray modal windows. Arrange the data through db(), then
// start() runs the real start-up.
class MainWindowFixture {
 public:
  explicit MainWindowFixture(const QDateTime& now = DatabaseFixture::DefaultNow(),
                             DatabaseFixture::Seed seed = DatabaseFixture::Seed::Demo);
  ~MainWindowFixture();

  DatabaseFixture& db() { return db_; }
  SuiteRecorder& suite() { return suite_; }
  MsgBoxRecorder& boxes() { return boxes_; }
  ModalWatchdog& watchdog() { return watchdog_; }

  // Creates the main window on a screen with this work area and runs its start-up; the result
  // of frmMain::Show.
  bool start(const QRect& workArea = QRect(0, 0, 1920, 1080));
  frmMain& window() { return *window_; }
  // Statement texts sent since start-up began.
  QStringList statements() const;

 private:
  DatabaseFixture db_;
  SuiteRecorder suite_;
  MsgBoxRecorder boxes_;
  ModalWatchdog watchdog_;
  FakeSysInfo display_;
  std::unique_ptr<frmMain> window_;
};

}  // namespace testsupport
