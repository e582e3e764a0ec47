#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace platform {

// A picture box that keeps what is drawn into it, so that it repaints without its owner: Cls
// clears it to its background colour and puts the print position back at the top-left corner;
// Print draws one line of text at the print position, in the box's font and text colour, and
// moves the position to the start of the next line. Text beyond the box is cut off.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  void Cls();
  void Print(const QString& text);

  // Where the next Print starts, in pixels from the top-left corner.
  QPoint PrintPosition() const { return printPosition_; }
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage picture_;
  QPoint printPosition_;
};

}  // namespace platform
