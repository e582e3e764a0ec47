#include "board/frmView.h"

frmView::frmView(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("List Of Confirmed Operations"));
  setModal(true);
}
