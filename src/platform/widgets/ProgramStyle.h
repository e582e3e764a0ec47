#pragma once

#include <QColor>
#include <QPixmap>
#include <QProxyStyle>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

// The application's style, with what the program draws its own way: the colour of a grid's
// lines, and the Fusion style's group-box frames and the panels of text fields and buttons, the
// same pixels drawn for less. Fusion loads its frame image from its resources (decoding the PNG)
// for every frame it paints and then stretches it over the frame; this style draws the stretched
// image from parts made once. A panel Fusion draws whole as a shape with antialiased edges and
// gradients; this style has Fusion draw the ends of a narrow panel and repeats its middle, which
// is the same all along. Other styles draw their own.
class ProgramStyle : public QProxyStyle {
 public:
  explicit ProgramStyle(QObject* owner);
  ~ProgramStyle() override;

  // The one style the program's frames, text fields and buttons share (it draws no grid lines
  // of its own).
  static ProgramStyle* Shared();

  // Styles take the colour of the lines between cells from different palette roles (Fusion
  // darkens the window colour), so a grid's own style answers it.
  void setGridColor(const QColor& color) { gridColor_ = color; }

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

 private:
  void drawGroupBoxFrame(const QStyleOption& option, QPainter& painter,
                         const QWidget* widget) const;
  bool drawPanel(PrimitiveElement element, const QStyleOption& option, QPainter& painter,
                 const QWidget* widget) const;
  QPixmap middleStrip(PrimitiveElement element, const QStyleOption& option, const QPainter& painter,
                      const QWidget* widget) const;

  struct FrameParts;
  struct PanelMiddle;

  std::optional<QColor> gridColor_;
  mutable std::unique_ptr<FrameParts> frame_;      // made at the first frame drawn
  mutable std::vector<PanelMiddle> panelMiddles_;  // the latest first
};

}  // namespace platform
