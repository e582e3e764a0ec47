#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <vector>

// Keeps controls of a container at their design distances from the edges they are anchored to
// while the container grows or shrinks from its design size: a control anchored to two
// opposite edges stretches, one anchored to the right or the bottom edge moves with it.
// Controls not added stay where they are, as if anchored to the left and top edges. Below
// `leastSize` the moving controls stop (the container then cuts them) and only the stretching
// ones follow, so that the controls at the left and top edges stay clear.
class Anchors {
 public:
  Anchors(QSize designSize, QSize leastSize) : design_(designSize), least_(leastSize) {}

  // Takes the control's geometry now as its design geometry.
  void Add(QWidget* control, Qt::Edges edges);
  void LayOut(QSize size) const;

 private:
  struct Anchored {
    QPointer<QWidget> control;
    QRect design;
    Qt::Edges edges;
  };
  QSize design_;
  QSize least_;
  std::vector<Anchored> anchored_;
};
