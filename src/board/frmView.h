#pragma once

#include <QDialog>

// The board of confirmed operations, opened modally from the main window. Esc closes it.
class frmView : public QDialog {
  Q_OBJECT

 public:
  explicit frmView(QWidget* parent = nullptr);
};
