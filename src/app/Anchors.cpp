#include "app/Anchors.h"

void Anchors::Add(QWidget* control, Qt::Edges edges) {
  anchored_.push_back({control, control->geometry(), edges});
}

void Anchors::LayOut(QSize size) const {
  const QSize grown = size - design_;
  const QSize moved = size.expandedTo(least_) - design_;
  for (const Anchored& anchored : anchored_) {
    if (!anchored.control) continue;
    QRect place = anchored.design;
    if (anchored.edges & Qt::RightEdge) {
      if (anchored.edges & Qt::LeftEdge)
        place.setRight(place.right() + grown.width());
      else
        place.translate(moved.width(), 0);
    }
    if (anchored.edges & Qt::BottomEdge) {
      if (anchored.edges & Qt::TopEdge)
        place.setBottom(place.bottom() + grown.height());
      else
        place.translate(0, moved.height());
    }
    anchored.control->setGeometry(place);
  }
}
