#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "platform/widgets/MsgBox.h"
#include "support/ModalWatchdog.h"
#include "support/MsgBoxRecorder.h"

using namespace platform;
using testsupport::ModalWatchdog;
using testsupport::MsgBoxRecorder;
using testsupport::OnNextModal;

namespace {

// What the real box showed, read while it was open.
struct SeenBox {
  QString title, text;
  QList<int> buttons;
  int icon = -1;
  int defaultButton = -1;
  int escapeButton = -1;
  QWidget* parent = nullptr;
  bool modal = false;
};

int StandardOf(QMessageBox* box, QAbstractButton* button) {
  return button ? static_cast<int>(box->standardButton(button)) : 0;
}

SeenBox Inspect(QMessageBox* box) {
  SeenBox seen;
  seen.title = box->windowTitle();
  seen.text = box->text();
  for (QAbstractButton* button : box->buttons())
    seen.buttons.append(StandardOf(box, button));
  std::sort(seen.buttons.begin(), seen.buttons.end());
  seen.icon = box->icon();
  seen.defaultButton = StandardOf(box, box->defaultButton());
  seen.escapeButton = StandardOf(box, box->escapeButton());
  seen.parent = box->parentWidget();
  seen.modal = box->isModal();
  return seen;
}

QList<int> Sorted(QList<int> values) {
  std::sort(values.begin(), values.end());
  return values;
}

}  // namespace

class TestMsgBox : public QObject {
  Q_OBJECT

 private slots:
  void realBoxShowsStyleAndReturnsPressedButton_data();
  void realBoxShowsStyleAndReturnsPressedButton();
  void emptyTitleStaysEmpty();
  void boxIsModalOverTheActiveWindow();
  void handlerAnswersAndIsRestored();
  void recorderChecksScriptedAnswers();
  void watchdogClosesNestedModalLoops();
};

void TestMsgBox::realBoxShowsStyleAndReturnsPressedButton_data() {
  QTest::addColumn<int>("style");
  QTest::addColumn<QList<int>>("buttons");
  QTest::addColumn<int>("icon");
  QTest::addColumn<int>("defaultButton");
  QTest::addColumn<int>("escapeButton");
  QTest::addColumn<int>("key");  // pressed on the box; 0 clicks `click` instead
  QTest::addColumn<int>("click");
  QTest::addColumn<int>("result");

  const int yes = QMessageBox::Yes, no = QMessageBox::No, ok = QMessageBox::Ok,
            cancel = QMessageBox::Cancel;
  QTest::newRow("yes/no question, default No, Enter")
      << (vbYesNo + vbQuestion + vbDefaultButton2) << QList<int>{yes, no}
      << int(QMessageBox::Question) << no << no << int(Qt::Key_Return) << 0 << int(vbNo);
  QTest::newRow("yes/no question, click Yes")
      << (vbYesNo + vbQuestion + vbDefaultButton2) << QList<int>{yes, no}
      << int(QMessageBox::Question) << no << no << 0 << yes << int(vbYes);
  QTest::newRow("yes/no, Escape answers No")
      << (vbYesNo + vbQuestion) << QList<int>{yes, no} << int(QMessageBox::Question) << yes << no
      << int(Qt::Key_Escape) << 0 << int(vbNo);
  QTest::newRow("critical OK, Escape answers OK")
      << int(vbCritical) << QList<int>{ok} << int(QMessageBox::Critical) << ok << ok
      << int(Qt::Key_Escape) << 0 << int(vbOK);
  QTest::newRow("exclamation OK, Enter")
      << int(vbExclamation) << QList<int>{ok} << int(QMessageBox::Warning) << ok << ok
      << int(Qt::Key_Return) << 0 << int(vbOK);
  QTest::newRow("information OK/Cancel, Escape")
      << (vbOKCancel + vbInformation) << QList<int>{ok, cancel} << int(QMessageBox::Information)
      << ok << cancel << int(Qt::Key_Escape) << 0 << int(vbCancel);
  QTest::newRow("yes/no/cancel, third default, Enter")
      << (vbYesNoCancel + vbDefaultButton3) << QList<int>{yes, no, cancel}
      << int(QMessageBox::NoIcon) << cancel << cancel << int(Qt::Key_Return) << 0 << int(vbCancel);
  QTest::newRow("default beyond the buttons falls back to the first")
      << (vbOKOnly + vbDefaultButton3) << QList<int>{ok} << int(QMessageBox::NoIcon) << ok << ok
      << 0 << ok << int(vbOK);
  QTest::newRow("abort/retry/ignore, click Ignore")
      << int(vbAbortRetryIgnore)
      << QList<int>{int(QMessageBox::Abort), int(QMessageBox::Retry), int(QMessageBox::Ignore)}
      << int(QMessageBox::NoIcon) << int(QMessageBox::Abort) << 0 << 0 << int(QMessageBox::Ignore)
      << int(vbIgnore);
}

void TestMsgBox::realBoxShowsStyleAndReturnsPressedButton() {
  QFETCH(int, style);
  QFETCH(QList<int>, buttons);
  QFETCH(int, icon);
  QFETCH(int, defaultButton);
  QFETCH(int, escapeButton);
  QFETCH(int, key);
  QFETCH(int, click);
  QFETCH(int, result);

  ModalWatchdog watchdog;
  SeenBox seen;
  OnNextModal([&](QWidget* widget) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    QVERIFY(box);
    seen = Inspect(box);
    if (key)
      QTest::keyClick(box, Qt::Key(key));
    else
      QTest::mouseClick(box->button(QMessageBox::StandardButton(click)), Qt::LeftButton);
  });
  const int answer =
      MsgBox(QStringLiteral("Save the <b>request</b>?"), style, QStringLiteral("Confirm?"));

  QCOMPARE(seen.title, QStringLiteral("Confirm?"));
  QCOMPARE(seen.text, QStringLiteral("Save the <b>request</b>?"));
  QCOMPARE(seen.buttons, Sorted(buttons));
  QCOMPARE(seen.icon, icon);
  QCOMPARE(seen.defaultButton, defaultButton);
  QCOMPARE(seen.escapeButton, escapeButton);
  QVERIFY(seen.modal);
  QCOMPARE(answer, result);
  VERIFY_NO_STRAY_MODAL(watchdog);
}

void TestMsgBox::emptyTitleStaysEmpty() {
  std::unique_ptr<QMessageBox> box(
      CreateMessageBox(QStringLiteral("Connection Failed"), vbCritical, QString(), nullptr));
  box->show();
  QVERIFY(box->windowTitle().trimmed().isEmpty());  // not the program's name either
  QCOMPARE(box->icon(), QMessageBox::Critical);
}

void TestMsgBox::boxIsModalOverTheActiveWindow() {
  ModalWatchdog watchdog;
  QWidget window;
  window.setWindowTitle(QStringLiteral("Main"));
  window.show();
  window.activateWindow();
  QTRY_COMPARE(QApplication::activeWindow(), &window);

  QWidget* owner = nullptr;
  bool mainBlocked = false;
  OnNextModal([&](QWidget* box) {
    owner = box->parentWidget();
    // Activation follows the box's showing by a few events, later on a busy machine.
    mainBlocked = QApplication::activeModalWidget() == box &&
                  QTest::qWaitFor([&] { return !window.isActiveWindow(); }, 5000);
    static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
  });
  QCOMPARE(MsgBox(QStringLiteral("Saved."), vbInformation, QStringLiteral("SUCCESS!")), int(vbOK));
  QCOMPARE(owner, &window);
  QVERIFY(mainBlocked);
  VERIFY_NO_STRAY_MODAL(watchdog);
}

void TestMsgBox::handlerAnswersAndIsRestored() {
  QList<QString> outerSeen;
  const MsgBoxHandler previous = SetMsgBoxHandler([&](const QString& prompt, int, const QString&) {
    outerSeen.append(prompt);
    return int(vbRetry);
  });
  {
    MsgBoxRecorder recorder;
    recorder.answer({vbNo, vbYes});
    QCOMPARE(MsgBox(QStringLiteral("First?"), vbYesNo + vbQuestion, QStringLiteral("Confirm?")),
             int(vbNo));
    QCOMPARE(MsgBox(QStringLiteral("Second?"), vbYesNo, QStringLiteral("Revoke?")), int(vbYes));
    // Unscripted: the first button.
    QCOMPARE(MsgBox(QStringLiteral("Third?"), vbYesNo, QStringLiteral("Revoke?")), int(vbYes));
    QCOMPARE(MsgBox(QStringLiteral("Done."), vbOKOnly), int(vbOK));
    QCOMPARE(recorder.prompts(), (QStringList{QStringLiteral("First?"), QStringLiteral("Second?"),
                                              QStringLiteral("Third?"), QStringLiteral("Done.")}));
    QCOMPARE(recorder.calls().at(0).style, vbYesNo + vbQuestion);
    QCOMPARE(recorder.last().title, QString());
  }
  // The recorder put back the handler it found.
  QCOMPARE(MsgBox(QStringLiteral("Outer")), int(vbRetry));
  QCOMPARE(outerSeen, QList<QString>{QStringLiteral("Outer")});
  SetMsgBoxHandler(previous);
}

void TestMsgBox::recorderChecksScriptedAnswers() {
  MsgBoxRecorder recorder;
  QCOMPARE(testsupport::MsgBoxAnswers(vbOKOnly + vbCritical), QList<int>{vbOK});
  recorder.answer(vbYes);
  // A test that scripts Yes for an OK-only box is wrong, and is told so.
  QEXPECT_FAIL("", "the recorder refuses an answer the box does not offer", Continue);
  MsgBox(QStringLiteral("Saved."), vbOKOnly, QStringLiteral("SUCCESS!"));
  QCOMPARE(recorder.pendingAnswers(), 0);
}

void TestMsgBox::watchdogClosesNestedModalLoops() {
  ModalWatchdog watchdog(std::chrono::milliseconds(200), std::chrono::milliseconds(20));
  int innerResult = -1;
  OnNextModal([&](QWidget*) {
    // From inside the outer box's loop, open a second box that nobody answers.
    innerResult = MsgBox(QStringLiteral("Inner"), vbYesNo, QStringLiteral("WARNING!"));
  });
  const int outerResult = MsgBox(QStringLiteral("Outer"), vbOKCancel, QStringLiteral("Outer"));
  QCOMPARE(innerResult, int(vbNo));
  QCOMPARE(outerResult, int(vbCancel));
  QCOMPARE(watchdog.takeClosed(), (QStringList{QStringLiteral("QMessageBox 'WARNING!'"),
                                               QStringLiteral("QMessageBox 'Outer'")}));

  QDialog stray;
  stray.setWindowTitle(QStringLiteral("Stray"));
  QCOMPARE(stray.exec(), int(QDialog::Rejected));
  QCOMPARE(watchdog.takeClosed(), QStringList{QStringLiteral("QDialog 'Stray'")});
  QVERIFY(!watchdog.failed());
}

QTEST_MAIN(TestMsgBox)
#include "test_msgbox.moc"
