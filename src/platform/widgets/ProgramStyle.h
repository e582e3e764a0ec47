#pragma once

#include <QColor>
#include <QProxyStyle>
#include <memory>
#include <optional>

namespace platform {

// The application's style, with what the program draws its own way: the colour of a grid's
// lines, and group-box frames. The Fusion style loads its frame image from its resources
// (decoding the PNG) for every frame it paints and then scales it over the frame; this style
// draws the same frame from an image made once. Other styles draw their own frames.
class ProgramStyle : public QProxyStyle {
 public:
  explicit ProgramStyle(QObject* owner);
  ~ProgramStyle() override;

  // The one style the program's frames share (it draws no grid lines of its own).
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

  struct FrameParts;

  std::optional<QColor> gridColor_;
  mutable std::unique_ptr<FrameParts> frame_;  // made at the first frame drawn
};

}  // namespace platform
