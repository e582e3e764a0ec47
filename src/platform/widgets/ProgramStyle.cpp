#include "platform/widgets/ProgramStyle.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QStyleOption>
#include <algorithm>
#include <optional>

namespace platform {

namespace {

// The Fusion frame: a faint line inset by one pixel at the top and the left, a fainter shadow
// inside it, a tint over the whole inside, and corners rounded by a few blended pixels. The
// corners as they lie at the top left (also the bottom right, turned half round) and at the top
// right (also the bottom left); x and y count inward from the corner.
constexpr QRgb kLine = 0x32757575, kShadow = 0x07000000, kTint = 0x03000000;
constexpr int kCornerSize = 4;
constexpr QRgb kCornerTopLeft[kCornerSize][kCornerSize] = {
    {0x0d272727, 0x345d5d5d, 0x346c6c6c, kLine},
    {0x39626262, 0x1f5a5a5a, 0x0a000000, 0x08000000},
    {0x346c6c6c, 0x09000000, kTint, kTint},
    {kLine, 0x08000000, kTint, kTint}};
constexpr QRgb kCornerTopRight[kCornerSize][kCornerSize] = {
    {0x0c151515, 0x37666666, 0x346c6c6c, kLine},
    {0x355b5b5b, 0x1e5e5e5e, 0x0a000000, 0x08000000},
    {0x346c6c6c, 0x09000000, kTint, kTint},
    {kLine, 0x08000000, kTint, kTint}};
// The image is stretched over a frame keeping this much of each edge as it is.
constexpr int kImageMargin = 6;
// The title's room above the frame, as the Fusion style leaves it.
constexpr int kFrameTopMargin = 3;

QRgb FramePixel(int x, int y, int width, int height) {
  const int fromRight = width - 1 - x, fromBottom = height - 1 - y;
  if (std::max(std::min(x, fromRight), std::min(y, fromBottom)) < kCornerSize) {
    if (y < kCornerSize)
      return x < kCornerSize ? kCornerTopLeft[y][x] : kCornerTopRight[y][fromRight];
    return x < kCornerSize ? kCornerTopRight[fromBottom][x] : kCornerTopLeft[fromBottom][fromRight];
  }
  const int inward = std::min({x, y, fromRight, fromBottom});
  return inward == 0 ? kLine : inward == 1 ? kShadow : kTint;
}

// The frame at the size of Fusion's image, transparent in its first row and column.
QPixmap MakeFrameImage() {
  QImage frame(98, 38, QImage::Format_ARGB32);
  const int width = frame.width() - 1, height = frame.height() - 1;
  for (int y = 0; y <= height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
    line[0] = 0;
    for (int x = 1; x <= width; ++x)
      line[x] = y == 0 ? 0 : FramePixel(x - 1, y - 1, width, height);
  }
  return QPixmap::fromImage(frame);
}

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

}  // namespace

// The middle of a panel (a text field's or a button's) as the application style draws it for a
// shape (a frame's line width, a button's features), state, palette, height and painter's hints:
// each of its columns alike, and opaque (so the same over any background), or `strip` left null
// where they are not.
struct ProgramStyle::PanelMiddle {
  QStyle::PrimitiveElement element;
  int shape = 0;
  QStyle::State state;
  int height = 0;
  QPainter::RenderHints hints;
  QPalette palette;
  QPixmap strip;

  bool fits(QStyle::PrimitiveElement panel, int panelShape, const QStyleOption& option,
            const QPainter& painter) const {
    return element == panel && shape == panelShape && state == option.state &&
           height == option.rect.height() && hints == painter.renderHints() &&
           palette == option.palette;
  }
};

// The frame image, and the image stretched over a frame as the style stretches it, at a size
// with every part of a frame: its corners, a stretch of each edge and of the inside; cut into
// those parts. The stretch is made with the painter's hints (they choose how the image is
// stretched) and onto nothing, so that drawing it over a background blends the same colours as
// stretching the image over that background does.
struct ProgramStyle::FrameParts {
  static constexpr int kCorner = kImageMargin + 2;  // past each margin, as stretched

  QPixmap image = MakeFrameImage();
  QPixmap whole, top, bottom, left, right;  // the stretch; its edges without the corners
  QColor inside;                            // what a fill blends as the stretch blends it
  std::optional<QPainter::RenderHints> madeWith;

  void stretch(QPainter::RenderHints hints);
  void draw(QPainter& painter, const QRect& area) const;
};

void ProgramStyle::FrameParts::stretch(QPainter::RenderHints hints) {
  // Larger than the image both ways: the image's stretch is an enlargement here as it is on
  // the frames drawn from it.
  QImage drawn(image.width() + 22, image.height() + 22, QImage::Format_ARGB32_Premultiplied);
  drawn.fill(Qt::transparent);
  {
    QPainter painter(&drawn);
    painter.setRenderHints(hints);
    qDrawBorderPixmap(&painter, drawn.rect(),
                      QMargins(kImageMargin, kImageMargin, kImageMargin, kImageMargin), image);
  }
  const int across = drawn.width() - 2 * kCorner, down = drawn.height() - 2 * kCorner;
  whole = QPixmap::fromImage(drawn);
  top = QPixmap::fromImage(drawn.copy(kCorner, 0, across, kCorner));
  bottom = QPixmap::fromImage(drawn.copy(kCorner, kCorner + down, across, kCorner));
  left = QPixmap::fromImage(drawn.copy(0, kCorner, kCorner, down));
  right = QPixmap::fromImage(drawn.copy(kCorner + across, kCorner, kCorner, down));
  const QRgb middle = reinterpret_cast<const QRgb*>(drawn.constScanLine(kCorner))[kCorner];
  inside = QColor::fromRgba(qUnpremultiply(middle));
  if (qPremultiply(inside.rgba()) != middle) inside = QColor();  // a fill would blend another
  madeWith = hints;
}

// Draws the frame over `area` from its stretched parts: the corners as they are, the edges
// repeated along (each is the same all along) and the inside as a plain fill. Stretching the
// image blends it pixel by pixel at some cost; these blend the same colours. Only for a painter
// that maps pixels to pixels, and a frame at least as large as the image.
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
  painter.fillRect(QRect(x, y, across, down), inside);
}

ProgramStyle::ProgramStyle(QObject* owner) {
  setParent(owner);
}

ProgramStyle::~ProgramStyle() = default;

ProgramStyle* ProgramStyle::Shared() {
  static QPointer<ProgramStyle> shared;
  if (!shared) shared = new ProgramStyle(qApp);
  return shared;
}

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
  if (hint == SH_Table_GridLineColor && gridColor_) return int(gridColor_->rgba());
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  if (element == PE_FrameGroupBox && baseStyle()->name() == QLatin1String("fusion"))
    drawGroupBoxFrame(*option, *painter, widget);
  else if ((element != PE_PanelLineEdit && element != PE_PanelButtonCommand) ||
           !drawPanel(element, *option, *painter, widget))
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

// Draws the panel's ends as the application style does, clipped from a panel of the same height
// drawn at each end only as wide as both ends, and repeats its middle column between them.
// Returns false, drawing nothing, where that would not draw what the style draws.
bool ProgramStyle::drawPanel(PrimitiveElement element, const QStyleOption& option,
                             QPainter& painter, const QWidget* widget) const {
  PanelOption end(option);
  const QRect whole = option.rect;
  if (!end.get() || !PixelForPixel(painter) || whole.width() < 2 * kNarrowPanel ||
      baseStyle()->name() != QLatin1String("fusion"))
    return false;
  auto kept =
      std::find_if(panelMiddles_.begin(), panelMiddles_.end(), [&](const PanelMiddle& middle) {
        return middle.fits(element, end.shape(), option, painter);
      });
  if (kept == panelMiddles_.end()) {
    constexpr std::size_t kMiddlesKept = 12;  // panels of a few heights, colours and states
    if (panelMiddles_.size() == kMiddlesKept) panelMiddles_.pop_back();
    kept = panelMiddles_.insert(
        panelMiddles_.begin(),
        {element, end.shape(), option.state, whole.height(), painter.renderHints(), option.palette,
         middleStrip(element, option, painter, widget)});
  }
  if (kept->strip.isNull()) return false;
  for (const int left : {whole.left(), whole.right() - kNarrowPanel + 1}) {
    const int endLeft = left == whole.left() ? left : whole.right() - kPanelEnd + 1;
    end.get()->rect = QRect(left, whole.top(), kNarrowPanel, whole.height());
    painter.save();
    painter.setClipRect(QRect(endLeft, whole.top(), kPanelEnd, whole.height()), Qt::IntersectClip);
    QProxyStyle::drawPrimitive(element, end.get(), &painter, widget);
    painter.restore();
  }
  painter.drawTiledPixmap(whole.adjusted(kPanelEnd, 0, -kPanelEnd, 0), kept->strip);
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

// Below the title, where there is one.
void ProgramStyle::drawGroupBoxFrame(const QStyleOption& option, QPainter& painter,
                                     const QWidget* widget) const {
  const auto* box = qobject_cast<const QGroupBox*>(widget);
  int top = kFrameTopMargin;
  if (!box || box->isCheckable() || !box->title().isEmpty())
    top += std::max(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight),
                    option.fontMetrics.height());
  const QRect area = option.rect.adjusted(0, top, 0, 0);
  if (!frame_) frame_ = std::make_unique<FrameParts>();
  FrameParts& frame = *frame_;
  if (PixelForPixel(painter) && area.width() >= frame.image.width() &&
      area.height() >= frame.image.height()) {
    if (frame.madeWith != painter.renderHints()) frame.stretch(painter.renderHints());
    if (frame.inside.isValid()) {
      frame.draw(painter, area);
      return;
    }
  }
  qDrawBorderPixmap(&painter, area,
                    QMargins(kImageMargin, kImageMargin, kImageMargin, kImageMargin), frame.image);
}

}  // namespace platform
