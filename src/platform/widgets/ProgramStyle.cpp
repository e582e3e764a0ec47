#include "platform/widgets/ProgramStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QPushButton>
#include <QStyleOption>
#include <algorithm>
#include <iterator>
#include <utility>

namespace platform {

namespace {

// Fusion stretches its frame image over a frame keeping this much of each edge as it is, below
// the title's room, and its image is smaller than this sample both ways: a frame drawn at the
// sample's size holds every part of a larger one, as stretched.
constexpr int kImageMargin = 6;
constexpr int kFrameTopMargin = 3;
constexpr QSize kFrameSample(120, 60);

// Whether `painter` puts each pixel drawn on one pixel of its device.
bool PixelForPixel(const QPainter& painter) {
  return painter.deviceTransform().type() <= QTransform::TxTranslate &&
         painter.device()->devicePixelRatio() == 1;
}

// The columns at either end of a panel (a text field's, a button's) that the application style
// draws: past its rounded corners, its edges' blending and the ends of its inner lines.
constexpr int kPanelEnd = 6;
constexpr int kNarrowPanel = 2 * kPanelEnd + 1;

// A copy of a panel's option, a text field's or a button's, to draw the panel elsewhere; and
// what else than its state and palette its look depends on (a frame's line width, a button's
// features).
class PanelOption {
 public:
  explicit PanelOption(const QStyleOption& from) {
    if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&from)) {
      frame_ = *frame;
      option_ = &frame_;
      shape_ = frame->lineWidth;
    } else if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(&from)) {
      button_ = *button;
      option_ = &button_;
      shape_ = int(button->features);
    }
  }
  PanelOption(const PanelOption&) = delete;
  PanelOption& operator=(const PanelOption&) = delete;

  QStyleOption* get() { return option_; }  // null for an option of another kind
  int shape() const { return shape_; }

 private:
  QStyleOptionFrame frame_;
  QStyleOptionButton button_;
  QStyleOption* option_ = nullptr;
  int shape_ = 0;
};

// The room above a frame: the title's, where there is one, as the Fusion style leaves it.
int TitleRoom(const QStyle& base, const QStyleOption& option, const QWidget* widget) {
  const auto* box = qobject_cast<const QGroupBox*>(widget);
  if (box && !box->isCheckable() && box->title().isEmpty()) return kFrameTopMargin;
  return kFrameTopMargin + std::max(base.pixelMetric(QStyle::PM_ExclusiveIndicatorHeight),
                                    option.fontMetrics.height());
}

}  // namespace

// A frame as the base style draws it at the sample size, cut into its parts: the corners (in
// `whole`), each edge without its corners, and one pixel of the inside.
struct ProgramStyle::FrameParts {
  static constexpr int kCorner = kImageMargin + 2;  // past each margin, as stretched

  QPixmap whole, top, bottom, left, right, inside;

  void draw(QPainter& painter, const QRect& area) const;
};

// Draws the frame over `area` from its parts: the corners as they are, the edges repeated along
// (each is the same all along) and the inside filled. Stretching the image blends it pixel by
// pixel at some cost; these blend the same colours.
void ProgramStyle::FrameParts::draw(QPainter& painter, const QRect& area) const {
  const int lastX = whole.width() - kCorner, lastY = whole.height() - kCorner;
  const int across = area.width() - 2 * kCorner, down = area.height() - 2 * kCorner;
  const int x = area.left() + kCorner, y = area.top() + kCorner;
  const int right = area.right() - kCorner + 1, bottom = area.bottom() - kCorner + 1;
  painter.drawPixmap(area.topLeft(), whole, QRect(0, 0, kCorner, kCorner));
  painter.drawPixmap(QPoint(right, area.top()), whole, QRect(lastX, 0, kCorner, kCorner));
  painter.drawPixmap(QPoint(area.left(), bottom), whole, QRect(0, lastY, kCorner, kCorner));
  painter.drawPixmap(QPoint(right, bottom), whole, QRect(lastX, lastY, kCorner, kCorner));
  painter.drawTiledPixmap(QRect(x, area.top(), across, kCorner), top);
  painter.drawTiledPixmap(QRect(x, bottom, across, kCorner), this->bottom);
  painter.drawTiledPixmap(QRect(area.left(), y, kCorner, down), left);
  painter.drawTiledPixmap(QRect(right, y, kCorner, down), this->right);
  // A plain fill where it blends as the pixel does, which is cheaper than tiling it.
  const QRgb pixel = inside.toImage().pixel(0, 0);
  const QColor fill = QColor::fromRgba(qUnpremultiply(pixel));
  if (qPremultiply(fill.rgba()) == pixel)
    painter.fillRect(QRect(x, y, across, down), fill);
  else
    painter.drawTiledPixmap(QRect(x, y, across, down), inside);
}

void ProgramStyle::Install() {
  if (!dynamic_cast<ProgramStyle*>(QApplication::style())) QApplication::setStyle(new ProgramStyle);
}

bool ProgramStyle::isFusion() const {
  return baseStyle()->name() == QLatin1String("fusion");
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  const bool drawn =
      isFusion() &&
      ((element == PE_FrameGroupBox && (!widget || qobject_cast<const QGroupBox*>(widget)) &&
        drawGroupBoxFrame(*option, *painter, widget)) ||
       (element == PE_PanelLineEdit && qobject_cast<const QLineEdit*>(widget) &&
        drawPanel(element, *option, *painter, widget)) ||
       (element == PE_PanelButtonCommand && qobject_cast<const QPushButton*>(widget) &&
        drawPanel(element, *option, *painter, widget)));
  if (!drawn) QProxyStyle::drawPrimitive(element, option, painter, widget);
}

// Draws the panel's ends as the application style does, clipped from a panel of the same height
// drawn at each end only as wide as both ends, and repeats its middle column between them.
// Returns false, drawing nothing, where that would not draw what the style draws.
bool ProgramStyle::drawPanel(PrimitiveElement element, const QStyleOption& option,
                             QPainter& painter, const QWidget* widget) const {
  PanelOption end(option);
  const QRect whole = option.rect;
  if (!end.get() || !PixelForPixel(painter) || whole.width() < 2 * kNarrowPanel) return false;
  // The middle depends on the panel's kind and shape, its state, palette and height, and the
  // painter's hints. One that is not the same all along is kept as a single pixel.
  const QString key = QStringLiteral("orsched-panel/%1/%2/%3/%4/%5/%6")
                          .arg(int(element))
                          .arg(end.shape())
                          .arg(int(option.state))
                          .arg(whole.height())
                          .arg(int(painter.renderHints()))
                          .arg(option.palette.cacheKey());
  QPixmap strip;
  if (!QPixmapCache::find(key, &strip)) {
    strip = middleStrip(element, option, painter, widget);
    if (strip.isNull()) strip = QPixmap(1, 1);
    QPixmapCache::insert(key, strip);
  }
  if (strip.width() == 1) return false;
  for (const int left : {whole.left(), whole.right() - kNarrowPanel + 1}) {
    const int endLeft = left == whole.left() ? left : whole.right() - kPanelEnd + 1;
    end.get()->rect = QRect(left, whole.top(), kNarrowPanel, whole.height());
    painter.save();
    painter.setClipRect(QRect(endLeft, whole.top(), kPanelEnd, whole.height()), Qt::IntersectClip);
    QProxyStyle::drawPrimitive(element, end.get(), &painter, widget);
    painter.restore();
  }
  painter.drawTiledPixmap(whole.adjusted(kPanelEnd, 0, -kPanelEnd, 0), strip);
  return true;
}

// The middle column of the panel drawn narrow onto nothing, repeated; null where it is not opaque.
QPixmap ProgramStyle::middleStrip(PrimitiveElement element, const QStyleOption& option,
                                  const QPainter& painter, const QWidget* widget) const {
  PanelOption narrowOption(option);
  QStyleOption& narrowPanel = *narrowOption.get();
  narrowPanel.rect = QRect(0, 0, kNarrowPanel, option.rect.height());
  QImage narrow(narrowPanel.rect.size(), QImage::Format_ARGB32_Premultiplied);
  narrow.fill(Qt::transparent);
  {
    QPainter onto(&narrow);
    onto.setRenderHints(painter.renderHints());
    QProxyStyle::drawPrimitive(element, &narrowPanel, &onto, widget);
  }
  QImage strip(32, narrow.height(), QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < strip.height(); ++y) {
    const QRgb pixel = reinterpret_cast<const QRgb*>(narrow.constScanLine(y))[kPanelEnd];
    if (qAlpha(pixel) != 255) return {};
    std::fill_n(reinterpret_cast<QRgb*>(strip.scanLine(y)), strip.width(), pixel);
  }
  return QPixmap::fromImage(strip);
}

// The frame's parts as the base style draws a frame of the sample's size, for the painter's
// hints (they choose how Fusion's image is stretched; the image takes no colour of the palette);
// onto nothing, so that drawing them over a background blends the same colours as the base
// style's frame does.
ProgramStyle::FrameParts ProgramStyle::frameParts(const QStyleOption& option,
                                                  const QPainter& painter) const {
  const QString key = QStringLiteral("orsched-frame/%1/").arg(int(painter.renderHints()));
  FrameParts parts;
  const std::pair<QPixmap*, QString> named[] = {
      {&parts.whole, QStringLiteral("whole")},   {&parts.top, QStringLiteral("top")},
      {&parts.bottom, QStringLiteral("bottom")}, {&parts.left, QStringLiteral("left")},
      {&parts.right, QStringLiteral("right")},   {&parts.inside, QStringLiteral("inside")}};
  if (std::all_of(std::begin(named), std::end(named), [&](const auto& part) {
        return QPixmapCache::find(key + part.second, part.first);
      }))
    return parts;

  QImage drawn(kFrameSample, QImage::Format_ARGB32_Premultiplied);
  drawn.fill(Qt::transparent);
  {
    QPainter onto(&drawn);
    onto.setRenderHints(painter.renderHints());
    QStyleOption sample(option);
    const int room = TitleRoom(*baseStyle(), option, nullptr);
    sample.rect = QRect(0, -room, kFrameSample.width(), kFrameSample.height() + room);
    baseStyle()->drawPrimitive(PE_FrameGroupBox, &sample, &onto, nullptr);
  }
  constexpr int kCorner = FrameParts::kCorner;
  const int across = drawn.width() - 2 * kCorner, down = drawn.height() - 2 * kCorner;
  parts.whole = QPixmap::fromImage(drawn);
  parts.top = QPixmap::fromImage(drawn.copy(kCorner, 0, across, kCorner));
  parts.bottom = QPixmap::fromImage(drawn.copy(kCorner, kCorner + down, across, kCorner));
  parts.left = QPixmap::fromImage(drawn.copy(0, kCorner, kCorner, down));
  parts.right = QPixmap::fromImage(drawn.copy(kCorner + across, kCorner, kCorner, down));
  parts.inside = QPixmap::fromImage(drawn.copy(kCorner, kCorner, 1, 1));
  for (const auto& [pixmap, name] : named)
    QPixmapCache::insert(key + name, *pixmap);
  return parts;
}

// From its parts, for a painter that maps pixels to pixels and a frame at least as large as the
// sample: below the title, where there is one.
bool ProgramStyle::drawGroupBoxFrame(const QStyleOption& option, QPainter& painter,
                                     const QWidget* widget) const {
  const QRect area = option.rect.adjusted(0, TitleRoom(*baseStyle(), option, widget), 0, 0);
  if (!PixelForPixel(painter) || area.width() < kFrameSample.width() ||
      area.height() < kFrameSample.height())
    return false;
  frameParts(option, painter).draw(painter, area);
  return true;
}

}  // namespace platform
