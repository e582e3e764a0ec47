#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "platform/widgets/TextBox.h"

using platform::TextBox;

namespace {

// Hooks as the keystroke rules use them.
enum class Rule { UpperCase, CancelDigits, CancelEnter, DigitsToStar };

TextBox::KeyPressHook HookFor(Rule rule, QList<int>* seen) {
  return [rule, seen](qint16& key) {
    seen->append(key);
    const QChar typed(static_cast<char16_t>(key));
    switch (rule) {
      case Rule::UpperCase:
        key = static_cast<qint16>(typed.toUpper().unicode());
        break;
      case Rule::CancelDigits:
        if (typed.isDigit()) key = 0;
        break;
      case Rule::CancelEnter:
        if (key == 13) key = 0;
        break;
      case Rule::DigitsToStar:
        if (typed.isDigit()) key = '*';
        break;
    }
  };
}

QList<int> Codes(const QString& text) {
  QList<int> codes;
  for (QChar c : text)
    codes.append(c.unicode());
  return codes;
}

// Types each character as one key press; characters beyond ASCII as the keyboard delivers them.
void Type(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x80)
      QTest::keyClick(widget, char(c.unicode()));
    else
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c),
                          Qt::NoModifier);
  }
}

// The share of pixels in `area` that have exactly `color`.
double ShareOf(const QImage& image, const QRect& area, const QColor& color) {
  int same = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixelColor(x, y).rgb() == color.rgb()) ++same;
  return double(same) / (area.width() * area.height());
}

bool HasDarkPixels(const QImage& image, const QRect& area) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixelColor(x, y).lightness() < 90) return true;
  return false;
}

}  // namespace

class TestTextBox : public QObject {
  Q_OBJECT

 private slots:
  void hookSeesAndRewritesTypedKeys_data();
  void hookSeesAndRewritesTypedKeys();
  void enterReachesHookAndCanBeCancelled();
  void keysWithoutTextBypassHook();
  void backColorHoldsWhileDisabled();
  void accentColorFramesTheField();
};

void TestTextBox::hookSeesAndRewritesTypedKeys_data() {
  QTest::addColumn<int>("rule");
  QTest::addColumn<QString>("start");  // selected before typing
  QTest::addColumn<int>("maxLength");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("result");

  QTest::newRow("upper case") << int(Rule::UpperCase) << QString() << 32767
                              << QStringLiteral("o'brien, ann 3")
                              << QStringLiteral("O'BRIEN, ANN 3");
  QTest::newRow("upper case replaces the selection")
      << int(Rule::UpperCase) << QStringLiteral("old") << 32767 << QStringLiteral("new")
      << QStringLiteral("NEW");
  QTest::newRow("replacement keeps the length limit")
      << int(Rule::UpperCase) << QString() << 3 << QStringLiteral("abcdef")
      << QStringLiteral("ABC");
  QTest::newRow("cancelled digits") << int(Rule::CancelDigits) << QString() << 32767
                                    << QStringLiteral("a1b22c") << QStringLiteral("abc");
  QTest::newRow("replaced by another character")
      << int(Rule::DigitsToStar) << QString() << 32767 << QStringLiteral("x12y")
      << QStringLiteral("x**y");
  QTest::newRow("non-ASCII passes through")
      << int(Rule::UpperCase) << QString() << 32767 << QStringLiteral("\u00e9a")
      << QStringLiteral("\u00c9A");
}

void TestTextBox::hookSeesAndRewritesTypedKeys() {
  QFETCH(int, rule);
  QFETCH(QString, start);
  QFETCH(int, maxLength);
  QFETCH(QString, typed);
  QFETCH(QString, result);

  TextBox box;
  box.setMaxLength(maxLength);
  box.setText(start);
  box.selectAll();
  QList<int> seen;
  box.SetKeyPressHook(HookFor(Rule(rule), &seen));
  Type(&box, typed);
  QCOMPARE(box.text(), result);
  QCOMPARE(seen, Codes(typed));
}

void TestTextBox::enterReachesHookAndCanBeCancelled() {
  TextBox box;
  QSignalSpy returns(&box, &QLineEdit::returnPressed);
  QList<int> seen;
  box.SetKeyPressHook(HookFor(Rule::UpperCase, &seen));
  QTest::keyClick(&box, Qt::Key_Return);
  QTest::keyClick(&box, Qt::Key_Enter);
  QCOMPARE(seen, (QList<int>{13, 13}));
  QCOMPARE(returns.count(), 2);

  seen.clear();
  box.SetKeyPressHook(HookFor(Rule::CancelEnter, &seen));
  QTest::keyClick(&box, Qt::Key_Return);
  QCOMPARE(seen, QList<int>{13});
  QCOMPARE(returns.count(), 2);
}

void TestTextBox::keysWithoutTextBypassHook() {
  TextBox box;
  box.setText(QStringLiteral("abc"));
  box.setCursorPosition(3);
  QList<int> seen;
  box.SetKeyPressHook(HookFor(Rule::CancelDigits, &seen));
  QTest::keyClick(&box, Qt::Key_Left);
  QTest::keyClick(&box, Qt::Key_Home);
  QTest::keyClick(&box, Qt::Key_Delete);
  QTest::keyClick(&box, Qt::Key_F2);
  QTest::keyClick(&box, Qt::Key_Shift);
  QCOMPARE(seen, QList<int>{});
  QCOMPARE(box.text(), QStringLiteral("bc"));  // the keys still did their work
  QCOMPARE(box.cursorPosition(), 0);
}

void TestTextBox::backColorHoldsWhileDisabled() {
  const QColor readOnly(224, 224, 224);
  TextBox box;
  box.resize(160, 24);
  box.setText(QStringLiteral("WWWW"));
  box.setAlignment(Qt::AlignLeft);
  box.SetBackColor(readOnly);
  box.setEnabled(false);
  box.show();
  QCOMPARE(box.BackColor(), readOnly);

  const QImage image = box.grab().toImage();
  // The right half carries no text: it shows the background.
  const QRect empty(box.width() / 2, 4, box.width() / 2 - 4, box.height() - 8);
  QVERIFY2(ShareOf(image, empty, readOnly) > 0.95, "disabled field lost its background colour");
  // The text is drawn dark, as in an enabled field, not greyed out.
  const QRect text(4, 4, box.width() / 2 - 8, box.height() - 8);
  QVERIFY2(HasDarkPixels(image, text), "disabled field's text is not readable");

  box.SetBackColor(Qt::white);
  const QImage white = box.grab().toImage();
  QVERIFY(ShareOf(white, empty, Qt::white) > 0.95);
}

void TestTextBox::accentColorFramesTheField() {
  const QColor accent(0, 84, 227);
  TextBox box;
  box.resize(120, 24);
  box.SetAccentColor(accent);
  box.show();
  const QImage image = box.grab().toImage();
  const int w = box.width(), h = box.height();
  for (QPoint edge :
       {QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 2, 0), QPoint(w / 2, h - 1)})
    QCOMPARE(image.pixelColor(edge).rgb(), accent.rgb());
  QCOMPARE(box.AccentColor(), accent);
}

QTEST_MAIN(TestTextBox)
#include "test_textbox.moc"
