#include "support/BoardFixture.h"
#include "platform/WallClock.h"

#include <QTest>

#include "board/frmView.h"
#include "session/Statements.h"
#include "session/modGlobal.h"

namespace testsupport {

BoardFixture::BoardFixture(const QDateTime& now, DatabaseFixture::Seed seed)
    : db_(now, seed), connection_(std::make_shared<RecordingConnection>(db_.connection())) {}

BoardFixture::~BoardFixture() {
  board_.reset();
  modGlobal::ServerDateTime = QDateTime();  // the board's clock wrote it
}

qint64 BoardFixture::addConfirmed(const BoardOperation& op) {
  hospitaldb::ScheduleRecord record =
      db_.sampleRequest(platform::WallClock(db_.server().Now().date(), op.time));
  record.patientName = op.patient;
  record.procedureName = op.procedure;
  record.roomNo = op.room;
  record.surgeon = op.surgeon;
  record.anesthesiologist = op.anesthesiologist;
  record.asstDoctor = op.asstDoctor;
  record.cNurse = op.cNurse;
  record.sNurse = op.sNurse;
  record.status = QStringLiteral("C");
  const qint64 transNum = db_.insertRequest(record, false);
  if (op.minutes)
    db_.exec(QStringLiteral("INSERT INTO tbORScheduleDuration VALUES (?, ?)"),
             {transNum, *op.minutes});
  return transNum;
}

void BoardFixture::revoke(qint64 transNum) {
  db_.exec(QStringLiteral("UPDATE tbORSchedule SET Status = 'R' WHERE TransNum = ?"), {transNum});
}

frmView& BoardFixture::open() {
  const std::shared_ptr<platform::Connection> connection = connection_;
  board_ = std::make_unique<frmView>(
      nullptr, [connection] { return connection; }, &sysInfo_);
  board_->show();
  if (!QTest::qWaitForWindowExposed(board_.get()))
    QTest::qFail("board not shown", __FILE__, __LINE__);
  return *board_;
}

int BoardFixture::listings() const {
  return int(connection_->statements().count(session::ConfirmedListSql()));
}

int BoardFixture::clockReads() const {
  return int(connection_->statements().count(session::ServerClockSql()));
}

}  // namespace testsupport
