#include "requests/frmDayByRoom.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
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

// The hours and the room names, under the blocks.
class frmDayByRoom::Canvas : public QWidget {
 public:
  explicit Canvas(frmDayByRoom& window) : QWidget(&window), window_(window) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
  }
  DayGeometry Geometry() const {
    return DayGeometry(*window_.plan_, rect(), fontMetrics().height());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    PaintDayGrid(painter, *window_.plan_, Geometry(), window_.NowMinute());
  }
  void resizeEvent(QResizeEvent*) override { window_.PlaceBlocks(); }

 private:
  frmDayByRoom& window_;
};

// A request of the day: focusable, so that the keys and assistive technology follow it.
class frmDayByRoom::Block : public QWidget {
 public:
  Block(frmDayByRoom& window, int index, const DayBlock& block)
      : QWidget(window.canvas_), window_(window), index_(index), block_(block) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(block.Described().join(QStringLiteral(", ")));
  }

 protected:
  // The clashes are worded when the block is shown or reached, not for every block of the day.
  bool event(QEvent* event) override {
    if ((event->type() == QEvent::ToolTip || event->type() == QEvent::FocusIn) &&
        toolTip().isEmpty()) {
      const QStringList described =
          block_.Described(window_.listing_->clashes().Describe(block_.row));
      setToolTip(described.join(u'\n'));
      setAccessibleName(described.join(QStringLiteral(", ")));
    }
    return QWidget::event(event);
  }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    PaintBlock(painter, rect(), block_, fontMetrics().height(), hasFocus());
  }
  void focusInEvent(QFocusEvent*) override { update(); }
  void focusOutEvent(QFocusEvent*) override { update(); }
  void mouseDoubleClickEvent(QMouseEvent*) override {
    platform::Guarded([this] { window_.PickBlock(index_); });
  }
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
      platform::Guarded([this] { window_.PickBlock(index_); });
    else if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left ||
             key == Qt::Key_Right)
      window_.MoveFrom(index_, key);
    else
      return QWidget::keyPressEvent(event);
    event->accept();
  }

 private:
  frmDayByRoom& window_;
  int index_;
  DayBlock block_;
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
  for (std::size_t i = 0; i < blockWidgets_.size(); ++i)
    if (blockWidgets_[i] == focused) kept = plan_->Blocks()[i].transNum;
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
  for (QWidget* widget : blockWidgets_)
    delete widget;
  blockWidgets_.clear();
  for (int i = 0; i < int(plan_->Blocks().size()); ++i)
    blockWidgets_.push_back(new Block(*this, i, plan_->Blocks()[i]));
  PlaceBlocks();
  for (QWidget* widget : blockWidgets_)
    widget->show();
  canvas_->update();
  const int focus = kept ? plan_->IndexOf(*kept) : -1;
  if (!blockWidgets_.empty() && (focused == nullptr || isAncestorOf(focused)))
    blockWidgets_[focus >= 0 ? focus : 0]->setFocus();
}

void frmDayByRoom::PlaceBlocks() {
  if (!plan_) return;
  const DayGeometry geometry = canvas_->Geometry();
  for (std::size_t i = 0; i < blockWidgets_.size(); ++i)
    blockWidgets_[i]->setGeometry(geometry.Block(plan_->Blocks()[i]));
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
  if (next >= 0) blockWidgets_[next]->setFocus(Qt::OtherFocusReason);
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
  for (const DayBlock& block : plan_->Blocks())
    PaintBlock(painter, geometry.Block(block), block, line, false);
  painter.end();
}

}  // namespace requests
