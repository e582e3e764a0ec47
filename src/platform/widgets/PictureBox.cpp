#include "platform/widgets/PictureBox.h"

#include <QPainter>
#include <QResizeEvent>

namespace platform {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the kept picture covers the whole box
}

void PictureBox::Cls() {
  picture_.fill(palette().color(backgroundRole()));
  printPosition_ = QPoint(0, 0);
  update();
}

void PictureBox::Print(const QString& text) {
  QPainter painter(&picture_);
  painter.setFont(font());
  painter.setPen(palette().color(foregroundRole()));
  const QFontMetrics metrics(font());
  painter.drawText(printPosition_.x(), printPosition_.y() + metrics.ascent(), text);
  printPosition_ = QPoint(0, printPosition_.y() + metrics.height());
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

// A new size starts a clear picture; what was drawn is not stretched or kept.
void PictureBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  picture_ = QImage(event->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  Cls();
}

}  // namespace platform
