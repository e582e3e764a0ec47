#include "platform/widgets/FlexGridHeader.h"

#include <QEvent>

namespace platform {

FlexGridHeader::FlexGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

void FlexGridHeader::SetNote(QWidget* note) {
  delete note_;
  note_ = note;
  if (note_) {
    // A child of the header itself, not of its viewport, so that scrolling leaves it in place.
    note_->setParent(this);
    note_->installEventFilter(this);
  }
  layoutNote();
}

QSize FlexGridHeader::sizeHint() const {
  QSize hint = QHeaderView::sizeHint();
  hint.rheight() += noteHeight_;
  return hint;
}

bool FlexGridHeader::eventFilter(QObject* watched, QEvent* event) {
  if (watched == note_ &&
      (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent ||
       event->type() == QEvent::LayoutRequest))
    layoutNote();
  return QHeaderView::eventFilter(watched, event);
}

// Measuring a section's text (in bold, as the header view does) is most of sizing the header,
// and the view measures every section anew after each listing and each column hidden or shown,
// while the texts, a listing's field names, stay the same from one listing to the next. The
// sections carry nothing else that sizes them (no icons, no sort indicator).
QSize FlexGridHeader::sectionSizeFromContents(int logicalIndex) const {
  constexpr qsizetype kMostKept = 256;
  const QString text = model()->headerData(logicalIndex, orientation()).toString();
  if (const auto kept = measured_.constFind(text); kept != measured_.cend()) return *kept;
  if (measured_.size() >= kMostKept) measured_.clear();
  const QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
  measured_.insert(text, size);
  return size;
}

void FlexGridHeader::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
    measured_.clear();
  QHeaderView::changeEvent(event);
}

void FlexGridHeader::resizeEvent(QResizeEvent* event) {
  QHeaderView::resizeEvent(event);
  layoutNote();
}

// The sections keep the top of the header (its viewport); the note takes the band below them.
void FlexGridHeader::layoutNote() {
  const int height = note_ && !note_->isHidden() ? note_->sizeHint().height() : 0;
  if (height != noteHeight_) {
    noteHeight_ = height;
    setViewportMargins(0, 0, 0, noteHeight_);
    updateGeometry();
    emit NoteHeightChanged();
  }
  if (note_) note_->setGeometry(0, this->height() - noteHeight_, width(), noteHeight_);
}

}  // namespace platform
