#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>

#include "platform/widgets/DTPicker.h"
#include "platform/widgets/SendKeys.h"
#include "platform/widgets/TextBox.h"

using namespace platform;

namespace {

// A control that keeps every Tab for itself, as an editor that types tabs would.
class TabEater : public QWidget {
 public:
  TabEater() { setFocusPolicy(Qt::StrongFocus); }
  int tabsEaten = 0;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
      ++tabsEaten;
      return true;
    }
    return QWidget::event(event);
  }
};

// Enter moves on, as the keystroke rules of the entry form make it do.
void EnterMovesOn(TextBox* box) {
  box->SetKeyPressHook([box](qint16& key) {
    if (key != 13) return;
    key = 0;
    QueueTab(box);
  });
}

QWidget* ShowActive(QWidget* window) {
  window->show();
  window->activateWindow();
  return window;
}

}  // namespace

class TestSendKeys : public QObject {
  Q_OBJECT

 private slots:
  void tabMovesAfterTheHandlerSkippingUnfocusable();
  void focusMovesEvenWhenTheControlKeepsTab();
  void tabGoesToTheWindowThatQueuedIt();
  void windowClosedBeforeDeliveryIsIgnored();
};

void TestSendKeys::tabMovesAfterTheHandlerSkippingUnfocusable() {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  TextBox name, disabled, hidden, remarks;
  DTPicker date(DTPicker::Mode::Date);
  for (QWidget* field : {static_cast<QWidget*>(&name), static_cast<QWidget*>(&disabled),
                         static_cast<QWidget*>(&date), static_cast<QWidget*>(&hidden),
                         static_cast<QWidget*>(&remarks)})
    layout->addWidget(field);
  disabled.setEnabled(false);
  hidden.setVisible(false);
  EnterMovesOn(&name);
  EnterMovesOn(&remarks);
  ShowActive(&window);
  name.setFocus();
  QTRY_VERIFY(name.hasFocus());

  QTest::keyClick(&name, Qt::Key_Return);
  QVERIFY2(name.hasFocus(), "the Tab must wait until the key's handler has returned");
  QTRY_VERIFY(date.hasFocus());

  // From the picker a queued Tab leaves it instead of stepping through its fields.
  QueueTab(&date);
  QTRY_VERIFY(remarks.hasFocus());
  QTest::keyClick(&remarks, Qt::Key_Return);
  QTRY_VERIFY(name.hasFocus());  // round to the first control again
  QCOMPARE(name.text(), QString());
}

void TestSendKeys::focusMovesEvenWhenTheControlKeepsTab() {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  TextBox before, after;
  TabEater eater;
  layout->addWidget(&before);
  layout->addWidget(&eater);
  layout->addWidget(&after);
  ShowActive(&window);
  eater.setFocus();
  QTRY_VERIFY(eater.hasFocus());

  QueueTab(&eater);
  QTRY_VERIFY(after.hasFocus());
  QCOMPARE(eater.tabsEaten, 1);  // it was still told of the keystroke
}

void TestSendKeys::tabGoesToTheWindowThatQueuedIt() {
  QWidget form, other;
  auto* formLayout = new QVBoxLayout(&form);
  TextBox first, second;
  formLayout->addWidget(&first);
  formLayout->addWidget(&second);
  auto* otherLayout = new QVBoxLayout(&other);
  TextBox elsewhere, elsewhereNext;
  otherLayout->addWidget(&elsewhere);
  otherLayout->addWidget(&elsewhereNext);

  ShowActive(&form);
  first.setFocus();
  QTRY_VERIFY(first.hasFocus());
  ShowActive(&other);
  elsewhere.setFocus();
  QTRY_VERIFY(elsewhere.hasFocus());
  QVERIFY(!form.isActiveWindow());

  QueueTab(&first);
  QTRY_COMPARE(form.focusWidget(), &second);
  QCOMPARE(other.focusWidget(), &elsewhere);
  QVERIFY(elsewhere.hasFocus());
}

void TestSendKeys::windowClosedBeforeDeliveryIsIgnored() {
  auto* window = new QWidget;
  auto* field = new TextBox(window);
  ShowActive(window);
  QueueTab(field);
  delete window;
  QueueTab(nullptr);
  // Let the queued keystroke fall due; it must find nothing to deliver to.
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents();
}

QTEST_MAIN(TestSendKeys)
#include "test_sendkeys.moc"
