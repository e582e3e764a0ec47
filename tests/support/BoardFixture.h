#pragma once

#include <QDateTime>
#include <QRect>
#include <QStringList>
#include <memory>
#include <optional>

#include "platform/widgets/SysInfo.h"
#include "support/DatabaseFixture.h"
#include "support/MsgBoxRecorder.h"
#include "support/RecordingConnection.h"

class frmView;

namespace testsupport {

// A display whose work area the test sets; Change reports a display change, as the screen
// cannot be changed under a test.
class FakeSysInfo : public platform::SysInfo {
 public:
  QRect area;
  QRect WorkArea(const QWidget*) const override { return area; }
  void Change(const QRect& workArea) {
    area = workArea;
    emit DisplayChanged();
  }
};

// One confirmed operation of the server's day, with the texts the board shows.
struct BoardOperation {
  QTime time;
  QString patient;
  QString surgeon = QStringLiteral("REYES ,ANA");
  QString anesthesiologist = QStringLiteral("CRUZ ,BEN");
  QString procedure = QStringLiteral("APPENDECTOMY");
  QString asstDoctor;
  QString cNurse = QStringLiteral("LIM ,CORA");
  QString sNurse = QStringLiteral("TAN ,DINO");
  QString room = QStringLiteral("301-A");
  std::optional<int> minutes;  // its expected duration
};

// The board on a fresh, empty embedded database (its server clock at `now`), reading through
// a recording connection that can be told to fail, with message boxes recorded and a display
// the test controls. Arrange the operations, then open() creates and shows the board.
class BoardFixture {
 public:
  explicit BoardFixture(const QDateTime& now = DatabaseFixture::DefaultNow(),
                        DatabaseFixture::Seed seed = DatabaseFixture::Seed::Empty);
  ~BoardFixture();

  DatabaseFixture& db() { return db_; }
  RecordingConnection& connection() { return *connection_; }
  FakeSysInfo& sysInfo() { return sysInfo_; }
  MsgBoxRecorder& boxes() { return boxes_; }

  // Stores an operation confirmed for the server's day; returns its transaction number.
  qint64 addConfirmed(const BoardOperation& operation);
  // Takes an operation off the board (revokes it).
  void revoke(qint64 transNum);

  frmView& open();
  frmView& board() { return *board_; }
  // How many times the board has sent its listing, and the server clock's read.
  int listings() const;
  int clockReads() const;

 private:
  DatabaseFixture db_;
  MsgBoxRecorder boxes_;
  std::shared_ptr<RecordingConnection> connection_;
  FakeSysInfo sysInfo_;
  std::unique_ptr<frmView> board_;
};

}  // namespace testsupport
