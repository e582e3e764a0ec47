#include "support/MsgBoxRecorder.h"

#include <QTest>

namespace testsupport {

using namespace platform;

QList<int> MsgBoxAnswers(int style) {
  switch (style & 7) {
    case vbOKCancel:
      return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
      return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
      return {vbYes, vbNo, vbCancel};
    case vbYesNo:
      return {vbYes, vbNo};
    case vbRetryCancel:
      return {vbRetry, vbCancel};
    default:
      return {vbOK};
  }
}

MsgBoxRecorder::MsgBoxRecorder() {
  previous_ = SetMsgBoxHandler([this](const QString& prompt, int style, const QString& title) {
    return respond(prompt, style, title);
  });
}

MsgBoxRecorder::~MsgBoxRecorder() {
  SetMsgBoxHandler(std::move(previous_));
}

void MsgBoxRecorder::answer(std::initializer_list<int> results) {
  for (int result : results)
    script_.append(result);
}

QStringList MsgBoxRecorder::prompts() const {
  QStringList texts;
  for (const MsgBoxCall& call : calls_)
    texts.append(call.prompt);
  return texts;
}

QStringList MsgBoxRecorder::titles() const {
  QStringList texts;
  for (const MsgBoxCall& call : calls_)
    texts.append(call.title);
  return texts;
}

int MsgBoxRecorder::respond(const QString& prompt, int style, const QString& title) {
  calls_.append(MsgBoxCall{prompt, style, title});
  if (onCall_) onCall_(calls_.last());
  const QList<int> offered = MsgBoxAnswers(style);
  if (script_.isEmpty()) return offered.front();
  const int result = script_.takeFirst();
  if (!offered.contains(result)) {
    const QString problem =
        QStringLiteral("Scripted answer %1 is not a button of the box \"%2\" (style %3)")
            .arg(result)
            .arg(prompt)
            .arg(style);
    QTest::qFail(qPrintable(problem), __FILE__, __LINE__);
  }
  return result;
}

}  // namespace testsupport
