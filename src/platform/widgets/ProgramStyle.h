#pragma once

#include <QPixmap>
#include <QProxyStyle>

class QGroupBox;

namespace platform {

// The application's style, installed once for the whole program (Install): the Fusion style,
// with its group-box frames and the panels of text fields and buttons drawn for less, to the
// same pixels. Fusion decodes its frame image for every frame it paints and stretches it over
// the frame; this style has Fusion draw one frame large enough to hold every part (corners, a
// stretch of each edge and of the inside) and draws a frame of any larger size from those parts.
// A panel Fusion draws whole as a shape with antialiased edges and gradients; this style has
// Fusion draw the ends of a narrow panel and repeats its middle, which is the same all along.
// The parts are kept in QPixmapCache by what they depend on, the palette by its cacheKey().
// Other base styles draw their own.
class ProgramStyle : public QProxyStyle {
 public:
  ProgramStyle() = default;

  // Makes this the application's style; once: later calls keep the one installed.
  static void Install();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

 private:
  bool drawGroupBoxFrame(const QStyleOption& option, QPainter& painter,
                         const QWidget* widget) const;
  bool drawPanel(PrimitiveElement element, const QStyleOption& option, QPainter& painter,
                 const QWidget* widget) const;
  QPixmap middleStrip(PrimitiveElement element, const QStyleOption& option, const QPainter& painter,
                      const QWidget* widget) const;
  bool isFusion() const;

  struct FrameParts;
  FrameParts frameParts(const QStyleOption& option, const QPainter& painter) const;
};

}  // namespace platform
