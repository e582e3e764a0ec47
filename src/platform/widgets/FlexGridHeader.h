#pragma once

#include <QHash>
#include <QHeaderView>
#include <QPointer>
#include <QSize>
#include <QString>

namespace platform {

// The header row of a FlexGrid: the sections as QHeaderView draws them and, under them, an
// optional note for which the header makes room while the note is shown, so that the grid's
// rows move down rather than being covered.
class FlexGridHeader : public QHeaderView {
  Q_OBJECT

 public:
  explicit FlexGridHeader(QWidget* parent);

  // Takes ownership of `note` (a previous note is deleted). The note shows or hides as its
  // owner says, and is laid out across the header's width, as tall as it asks to be.
  void SetNote(QWidget* note);
  // Pixels taken by the note: 0 while it is hidden or there is none.
  int NoteHeight() const { return noteHeight_; }

  QSize sizeHint() const override;
  // The size a section needs to show its text whole.
  QSize SectionSize(int col) const { return sectionSizeFromContents(col); }

 signals:
  void NoteHeightChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  QSize sectionSizeFromContents(int logicalIndex) const override;

 private:
  void layoutNote();

  QPointer<QWidget> note_;
  int noteHeight_ = 0;
  mutable QHash<QString, QSize> measured_;  // section sizes by text, for the current font
};

}  // namespace platform
