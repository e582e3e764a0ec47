#include "requests/frmDayByRoom.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStaticText>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include "platform/Connection.h"
#include "platform/Format.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/PrintDialog.h"
#include "requests/DayPainting.h"
#include "requests/DayPlan.h"
#include "requests/PaneState.h"
#include "requests/RequestList.h"
#include "session/ServerDate.h"
#include "session/Statements.h"
#include "session/modGlobal.h"

namespace requests {
namespace {

const QSize kOpeningSize(960, 640);
constexpr int kTimeLineMs = 30000;  // the line of the server's time moves on
const QColor kNoticeText(192, 0, 0);

}  // namespace

// The hours, the room names and the blocks, painted in one pass, with no widget per block. It
// holds the block the keys are on: the arrow keys move it, Enter and a double click pick it, and
// its accessible name is that block's, so that assistive technology follows the keys.
class frmDayByRoom::Canvas : public QWidget {
 public:
  explicit Canvas(frmDayByRoom& window) : QWidget(&window), window_(window) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
  }
  DayGeometry Geometry() const {
    return DayGeometry(*window_.plan_, rect(), fontMetrics().height());
  }
  // Places the window's plan anew, its blocks by their room and time in the canvas's size.
  void Place() {
    if (!window_.plan_) return;  // resized before the first plan
    const DayGeometry geometry = Geometry();
    rects_.clear();
    for (const DayBlock& block : window_.plan_->Blocks())
      rects_.push_back(geometry.Block(block));
    focused_ = std::min(focused_, int(rects_.size()) - 1);
    update();
  }
  const std::vector<QRect>& Rects() const { return rects_; }
  int Focused() const { return focused_; }
  // Puts the keys on a block, -1 on none.
  void Focus(int block) {
    if (focused_ >= 0) update(rects_[focused_]);
    focused_ = block;
    if (block < 0) return setAccessibleName(QString());
    update(rects_[block]);
    setAccessibleName(window_.Described(block).join(QStringLiteral(", ")));
    if (hasFocus()) {
      QAccessibleEvent focus(this, QAccessible::Focus);
      QAccessible::updateAccessibility(&focus);
    }
  }

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int block = BlockAt(help->pos());
    if (block < 0) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), window_.Described(block).join(u'\n'), this,
                         rects_[block]);
    }
    return true;
  }
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    const DayGeometry geometry = Geometry();
    PaintDayGrid(painter, *window_.plan_, geometry, window_.NowMinute());
    const bool keysHere = hasFocus();
    for (int i = 0; i < int(rects_.size()); ++i)
      if (rects_[i].intersects(event->rect()))
        PaintBlock(painter, rects_[i], window_.plan_->Blocks()[i], LinesOf(i),
                   geometry.LineHeight(), keysHere && i == focused_);
  }
  void resizeEvent(QResizeEvent*) override { Place(); }
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::FontChange) {
      lines_.clear();
      Place();
    }
    QWidget::changeEvent(event);
  }
  void focusInEvent(QFocusEvent* event) override {
    Focus(focused_);
    QWidget::focusInEvent(event);
  }
  void focusOutEvent(QFocusEvent* event) override {
    if (focused_ >= 0) update(rects_[focused_]);
    QWidget::focusOutEvent(event);
  }
  void mousePressEvent(QMouseEvent* event) override {
    const int block = BlockAt(event->position().toPoint());
    if (block >= 0) Focus(block);
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    const int block = BlockAt(event->position().toPoint());
    if (block < 0) return;
    Focus(block);
    platform::Guarded([this, block] { window_.PickBlock(block); });
  }
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && focused_ >= 0)
      platform::Guarded([this] { window_.PickBlock(focused_); });
    else if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left ||
             key == Qt::Key_Right)
      window_.MoveFrom(focused_, key);
    else
      return QWidget::keyPressEvent(event);
    event->accept();
  }

 private:
  int BlockAt(const QPoint& point) const {
    for (int i = 0; i < int(rects_.size()); ++i)
      if (rects_[i].contains(point)) return i;
    return -1;
  }
  // A block's texts are laid out once for its texts and size: a redraw of the same day, the
  // time line's move or the keys' move paints them again without laying them out.
  const std::vector<QStaticText>& LinesOf(int index) {
    const DayBlock& block = window_.plan_->Blocks()[index];
    const QSize size = rects_[index].size();
    const QString key = QString::number(size.width()) + u'x' + QString::number(size.height()) +
                        u'\n' + block.patient + u'\n' + block.procedure + u'\n' + block.surgeon;
    auto known = lines_.find(key);
    if (known != lines_.end()) return *known;
    if (lines_.size() > kLinesKept) lines_.clear();
    return *lines_.insert(key, BlockLines(fontMetrics(), size, block, fontMetrics().height()));
  }

  static constexpr qsizetype kLinesKept = 4096;  // a few days' blocks in a few sizes
  frmDayByRoom& window_;
  std::vector<QRect> rects_;  // by block of the plan
  int focused_ = -1;
  QHash<QString, std::vector<QStaticText>> lines_;  // by size and texts
};

frmDayByRoom::frmDayByRoom(RequestList& list, const PaneState& state, const QComboBox& rooms,
                           QWidget* parent, session::ConnectionProvider connection)
    : QWidget(parent, Qt::Window),
      list_(list),
      state_(state),
      rooms_(rooms),
      connection_(std::move(connection)) {
  setWindowTitle(QStringLiteral("Day by Room"));
  setAttribute(Qt::WA_DeleteOnClose);
  lblDay = new QLabel(this);
  QFont bold = lblDay->font();
  bold.setBold(true);
  lblDay->setFont(bold);
  lblNotice = new QLabel(this);
  lblNotice->setStyleSheet(QStringLiteral("color: %1").arg(kNoticeText.name()));
  lblNotice->hide();
  cmdPrint = new QPushButton(QStringLiteral("&Print..."), this);
  cmdPrint->setAutoDefault(false);
  canvas_ = new Canvas(*this);
  auto* top = new QHBoxLayout;
  top->addWidget(lblDay, 1);
  top->addWidget(cmdPrint);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(lblNotice);
  layout->addWidget(canvas_, 1);
  platform::ConnectGuarded(cmdPrint, &QPushButton::clicked, this, [this] { Print_Day(); });
  platform::ConnectGuarded(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this,
                           [this] { Print_Day(); });
  auto* timeLine = new QTimer(this);
  timeLine->start(kTimeLineMs);
  connect(timeLine, &QTimer::timeout, canvas_, qOverload<>(&QWidget::update));
  const QRect screen = parent ? parent->screen()->availableGeometry() : QRect();
  resize(screen.isEmpty() ? kOpeningSize : kOpeningSize.boundedTo(screen.size() * 0.95));
  list_.OnListingShown([this] { Redraw(); });
  Redraw();
}

frmDayByRoom::~frmDayByRoom() {
  list_.OnListingShown(nullptr);
}

void frmDayByRoom::Redraw() {
  const QWidget* focused = QApplication::focusWidget();
  std::optional<qint64> kept = state_.Selected();
  if (focused == canvas_ && canvas_->Focused() >= 0)
    kept = plan_->Blocks()[canvas_->Focused()].transNum;
  QStringList names;
  for (int i = 0; i < rooms_.count(); ++i)
    names << rooms_.itemText(i);
  listing_ = list_.SharedListing();
  const session::RequestListing& listing = *listing_;
  const bool named = platform::Guarded(
      [&] {
        plan_ = std::make_unique<DayPlan>(listing, names,
                                          [this](const QString& code) { return RoomNameOf(code); });
      },
      [this](const std::exception& error) {
        lblNotice->setText(QStringLiteral("The rooms' names could not be read: %1")
                               .arg(QString::fromUtf8(error.what())));
      });
  if (!named)
    plan_ = std::make_unique<DayPlan>(listing, names, [](const QString&) { return QString(); });
  lblNotice->setVisible(!named);
  lblDay->setText(
      platform::Format(platform::WallClock(state_.ListedDay()), QStringLiteral("Long Date")));
  canvas_->Place();
  const int focus = kept ? plan_->IndexOf(*kept) : -1;
  canvas_->Focus(plan_->Blocks().empty() ? -1 : std::max(focus, 0));
  if (!plan_->Blocks().empty() && (focused == nullptr || isAncestorOf(focused)))
    canvas_->setFocus();
}

QWidget* frmDayByRoom::DayCanvas() const {
  return canvas_;
}

QRect frmDayByRoom::BlockRect(int block) const {
  return canvas_->Rects()[block];
}

int frmDayByRoom::FocusedBlock() const {
  return canvas_->Focused();
}

QStringList frmDayByRoom::Described(int block) const {
  const DayBlock& shown = plan_->Blocks()[block];
  return shown.Described(listing_->clashes().Describe(shown.row));
}

QString frmDayByRoom::RoomNameOf(const QString& code) {
  const auto known = roomNames_.constFind(code);
  if (known != roomNames_.cend()) return *known;
  auto rooms = connection_()->Open(session::RoomNameSql(code), platform::CursorType::ForwardOnly,
                                   platform::LockType::ReadOnly);
  const QString name =
      rooms->AtEnd() ? QString() : platform::DefaultText(rooms->Field(QStringLiteral("RoomName")));
  rooms->Close();
  return roomNames_[code] = name;
}

std::optional<int> frmDayByRoom::NowMinute() const {
  const QDateTime& now = modGlobal::ServerDateTime;
  if (!now.isValid() || now.date() != state_.ListedDay()) return std::nullopt;
  return now.time().hour() * 60 + now.time().minute();
}

void frmDayByRoom::MoveFrom(int block, int key) {
  const int next = plan_->Next(block, key);
  if (next >= 0) canvas_->Focus(next);
}

void frmDayByRoom::PickBlock(int block) {
  const std::optional<qint64> transNum = plan_->Blocks()[block].transNum;
  if (!transNum || !list_.SelectRequest(*transNum)) {
    QApplication::beep();  // New or Edit is under way: the list takes no pick
    return;
  }
  QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
  if (main) main->activateWindow();
}

void frmDayByRoom::Print_Day() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(
      QStringLiteral("OR day by room %1").arg(state_.ListedDay().toString(Qt::ISODate)));
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
  if (!platform::AskPrinter(printer, this)) return;
  const QDateTime printedAt = session::ServerNow(*connection_());
  QPainter painter;
  if (!painter.begin(&printer))
    throw platform::RuntimeError(QStringLiteral("The printer could not be started."));
  QFont type = font();
  type.setPointSizeF(8);
  painter.setFont(type);
  const int line = QFontMetrics(type, &printer).height();
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QRect area(0, 0, page.width(), page.height());
  painter.drawText(QRect(area.left(), area.top(), area.width(), line), Qt::AlignLeft,
                   QStringLiteral("Day by Room: %1").arg(lblDay->text()));
  painter.drawText(QRect(area.left(), area.top() + line, area.width(), line), Qt::AlignLeft,
                   QStringLiteral("Printed %1 (server time) by employee %2")
                       .arg(platform::DateTimeText(printedAt), modGlobal::EmployeeCode()));
  const DayGeometry geometry(*plan_, area.adjusted(0, line * 3, 0, 0), line);
  PaintDayGrid(painter, *plan_, geometry, NowMinute());
  for (const DayBlock& block : plan_->Blocks()) {
    const QRect rect = geometry.Block(block);
    PaintBlock(painter, rect, block, BlockLines(painter.fontMetrics(), rect.size(), block, line),
               line, false);
  }
  painter.end();
}

}  // namespace requests
