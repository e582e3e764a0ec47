#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "platform/widgets/ProgramStyle.h"
#include "platform/widgets/TextBox.h"

using platform::ProgramStyle;

class TestProgramStyle : public QObject {
  Q_OBJECT

 private slots:
  // The program's style draws frames, buttons and text fields as the application style does,
  // pixel for pixel, at every size and screen scale, and again when their colours change.
  void drawsAsTheApplicationStyle_data() {
    QTest::addColumn<QString>("kind");  // frame, button, field or read-only field
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QString>("text");
    QTest::newRow("window's frame") << "frame" << QSize(377, 97) << 1.0 << "PATIENT INFORMATION";
    QTest::newRow("large frame, scaled") << "frame" << QSize(838, 690) << 1.5 << "SCHEDULE STATUS";
    QTest::newRow("odd size, scaled") << "frame" << QSize(101, 53) << 1.25 << "A";
    QTest::newRow("smaller than the image") << "frame" << QSize(60, 30) << 1.0 << "";
    QTest::newRow("frame without a title") << "frame" << QSize(200, 90) << 1.0 << "";
    QTest::newRow("button") << "button" << QSize(75, 33) << 1.0 << "&New";
    QTest::newRow("button, scaled") << "button" << QSize(105, 33) << 1.5 << "PLAY";
    QTest::newRow("narrow button") << "button" << QSize(24, 24) << 1.0 << "...";
    QTest::newRow("read-only field") << "read-only field" << QSize(272, 21) << 1.0 << "DELA CRUZ";
    QTest::newRow("entry field") << "field" << QSize(120, 21) << 1.0 << "DELA CRUZ";
    QTest::newRow("field narrower than both ends") << "field" << QSize(20, 21) << 1.0 << "D";
    QTest::newRow("field, scaled") << "field" << QSize(272, 21) << 1.5 << "DELA CRUZ";
  }
  void drawsAsTheApplicationStyle() {
    QFETCH(QString, kind);
    QFETCH(QSize, size);
    QFETCH(qreal, scale);
    QFETCH(QString, text);
    if (QApplication::style()->name() != QLatin1String("fusion")) QSKIP("not the Fusion style");
    ProgramStyle style;
    std::unique_ptr<QWidget> widget;
    if (kind == u"frame") {
      widget = std::make_unique<QGroupBox>(text);
    } else if (kind == u"button") {
      widget = std::make_unique<QPushButton>(text);
    } else {
      auto field = std::make_unique<platform::TextBox>(nullptr, QColor(224, 224, 224));
      field->setText(text);
      field->setEnabled(kind == u"field");
      widget = std::move(field);
    }
    widget->resize(size);
    const auto draw = [&](QStyle* with) {
      widget->setStyle(with);
      QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
      image.setDevicePixelRatio(scale);
      image.fill(QColor(239, 239, 239));
      widget->render(&image);
      return image;
    };
    QCOMPARE(draw(&style), draw(nullptr));
    QPalette other = widget->palette();
    for (auto role : {QPalette::Button, QPalette::Base, QPalette::Window})
      other.setColor(role, QColor(200, 220, 250));
    widget->setPalette(other);
    QCOMPARE(draw(&style), draw(nullptr));
  }
};

QTEST_MAIN(TestProgramStyle)
#include "test_program_style.moc"
