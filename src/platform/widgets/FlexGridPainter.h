#pragma once

#include <QCache>
#include <QFont>
#include <QString>
#include <QStyledItemDelegate>
#include <QTextLayout>

namespace platform {

class FlexGridModel;

// Paints a cell straight from the model: its background (the selection, the row colour or the
// fixed-cell colour) and its text, laid out once. The style's item painting lays every text out
// several times, which made repainting a full window of cells the slowest part of a load.
//
// Wrapped texts are laid out once per text, width and alignment and kept for later paints:
// laying a text out (shaping it) was most of a cell's paint, a listing repeats its texts (the
// same people, rooms and times on many rows), and every repaint draws the same cells again.
class FlexGridPainter : public QStyledItemDelegate {
 public:
  FlexGridPainter(const FlexGridModel& model, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

  // Whether the selected row is painted in the highlight colours (it is by default).
  void setShowsSelection(bool shows) { showsSelection_ = shows; }
  // The room a cell's text takes in `width` pixels, laid out as paint lays it out: wrapped
  // at word boundaries, or within a word wider than the width (its widest line and all its
  // lines), or on one line.
  QSizeF textSize(QStringView text, int width, Qt::Alignment alignment, const QFont& font,
                  const QPaintDevice* device, bool wrapped) const;
  // Pixels between a cell's edge and its text, on either side.
  static int textMargin();

  // A text laid out in lines for one width; `key` for the layouts kept.
  struct LayoutKey {
    QString text;  // a copy of the text once kept; looked up without one
    int width = 0;
    int alignment = 0;
    friend bool operator==(const LayoutKey&, const LayoutKey&) = default;
  };

 private:
  struct LaidOutText {
    LaidOutText(const QString& text, const QFont& font, const QPaintDevice* device)
        : layout(text, font, device) {}
    QTextLayout layout;
    qreal height = 0;
    qreal widest = 0;
  };

  void drawWrapped(QPainter* painter, const QRect& area, Qt::Alignment alignment, const QFont& font,
                   QStringView text) const;
  const LaidOutText& laidOut(const QPaintDevice* device, int width, Qt::Alignment alignment,
                             const QFont& font, QStringView text) const;

  const FlexGridModel& model_;
  // Layouts hold the font as it was for the paint device; another font or resolution starts
  // the layouts afresh.
  mutable QCache<LayoutKey, LaidOutText> layouts_;
  mutable QFont layoutFont_;
  mutable int layoutDpi_ = 0;
  bool showsSelection_ = true;
};

size_t qHash(const FlexGridPainter::LayoutKey& key, size_t seed = 0);

}  // namespace platform
