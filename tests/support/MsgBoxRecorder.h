#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>

#include "platform/widgets/MsgBox.h"

namespace testsupport {

struct MsgBoxCall {
  QString prompt;
  int style = 0;
  QString title;
};

// Answers every MsgBox of the program while it lives, records each call in order, and
// restores the previous handler when it goes. Answers come from a script; when the script is
// empty the box's first button answers (vbOK on an OK box, vbYes on a Yes/No box). A scripted
// answer that the box does not offer fails the running test.
class MsgBoxRecorder {
 public:
  MsgBoxRecorder();
  ~MsgBoxRecorder();
  MsgBoxRecorder(const MsgBoxRecorder&) = delete;
  MsgBoxRecorder& operator=(const MsgBoxRecorder&) = delete;

  // Queues answers for the next boxes, in order.
  void answer(int result) { script_.append(result); }
  void answer(std::initializer_list<int> results);
  int pendingAnswers() const { return static_cast<int>(script_.size()); }

  // Runs while a box is "shown", before it is answered: lets a test look at the windows then.
  void onCall(std::function<void(const MsgBoxCall&)> action) { onCall_ = std::move(action); }

  const QList<MsgBoxCall>& calls() const { return calls_; }
  int count() const { return static_cast<int>(calls_.size()); }
  MsgBoxCall last() const { return calls_.isEmpty() ? MsgBoxCall{} : calls_.last(); }
  QStringList prompts() const;
  QStringList titles() const;
  void clear() { calls_.clear(); }

 private:
  int respond(const QString& prompt, int style, const QString& title);

  platform::MsgBoxHandler previous_;
  QList<MsgBoxCall> calls_;
  QList<int> script_;
  std::function<void(const MsgBoxCall&)> onCall_;
};

// The answers a box of this style can give, and the one its first button gives.
QList<int> MsgBoxAnswers(int style);

}  // namespace testsupport
