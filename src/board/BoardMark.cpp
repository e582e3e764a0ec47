#include "board/BoardMark.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "platform/widgets/Fonts.h"

namespace board {
namespace {

constexpr QSize kSize(350, 124);
const QColor kNavy(16, 42, 92);
const QColor kTeal(0, 128, 128);

// A white cross on a teal disc: the sign of a clinical service, readable at any size.
void DrawEmblem(QPainter& painter, const QRectF& disc) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(kTeal);
  painter.drawEllipse(disc);
  const qreal arm = disc.width() * 0.18;
  const qreal reach = disc.width() * 0.58;
  const QPointF centre = disc.center();
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRectF(centre.x() - arm / 2, centre.y() - reach / 2, arm, reach), 3, 3);
  painter.drawRoundedRect(QRectF(centre.x() - reach / 2, centre.y() - arm / 2, reach, arm), 3, 3);
}

void DrawName(QPainter& painter, const QRectF& area) {
  QFont name = platform::DesignFont(QStringLiteral("Arial"), 1, true);
  name.setPixelSize(40);
  painter.setFont(name);
  painter.setPen(kNavy);
  painter.drawText(QRectF(area.left(), area.top(), area.width(), 46),
                   Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("OR"));
  painter.drawText(QRectF(area.left(), area.top() + 40, area.width(), 46),
                   Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Scheduler"));

  QFont line = platform::DesignFont(QStringLiteral("Arial"), 1, true);
  line.setPixelSize(12);
  line.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  painter.setFont(line);
  painter.setPen(kTeal);
  painter.drawText(QRectF(area.left() + 2, area.top() + 90, area.width(), 16),
                   Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("CONFIRMED OPERATIONS"));
}

}  // namespace

QPixmap BoardMark(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.scale(qreal(size.width()) / kSize.width(), qreal(size.height()) / kSize.height());

  painter.setPen(QPen(kNavy, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(1, 1, kSize.width() - 2, kSize.height() - 2), 10, 10);
  DrawEmblem(painter, QRectF(16, 18, 88, 88));
  painter.setPen(QPen(kTeal, 2));
  painter.drawLine(QPointF(120, 22), QPointF(120, 102));
  DrawName(painter, QRectF(134, 8, kSize.width() - 146, kSize.height() - 16));
  painter.end();
  return QPixmap::fromImage(image);
}

}  // namespace board
