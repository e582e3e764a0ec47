#include "board/frmView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <cmath>

#include "board/BoardMark.h"
#include "board/BoardPages.h"
#include "board/ConfirmedList.h"
#include "platform/Connection.h"
#include "platform/Format.h"
#include "platform/Twips.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/Fonts.h"
#include "platform/widgets/ListingNotice.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/SysInfo.h"
#include "session/ServerDate.h"
#include "session/modGlobal.h"

using platform::TwipRect;

namespace {

const QRect kDesignArea = TwipRect(0, 0, 20400, 9000);
// The design's type, in points.
constexpr qreal kGridPoints = 12, kHeaderPoints = 14.25, kClockPoints = 18, kNoticePoints = 16;

// The board never opens a message box: a failure outside the listing and the clock is logged.
platform::FailureReport Warn(const char* what) {
  return
      [what](const std::exception& error) { qWarning("Board: %s failed: %s", what, error.what()); };
}

QString ClockText(const QDateTime& now) {
  return platform::Format(now, QStringLiteral("Long Date")) + QStringLiteral(" ") +
         platform::Format(now, QStringLiteral("hh:mm:ss"));
}

}  // namespace

frmView::frmView(QWidget* parent, session::ConnectionProvider connection,
                 platform::SysInfo* sysInfo)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), connection_(std::move(connection)) {
  SysInfo1 = sysInfo ? sysInfo : new platform::SysInfo(this);
  setWindowTitle(QStringLiteral("List Of Confirmed Operations"));
  setModal(true);
  // Restored, it fills the work area too (the design's size where that is unknown), so that it
  // fills the screen also where no window manager maximizes it; not centred over the main
  // window, as a dialog would be.
  const QRect area = SysInfo1->WorkArea(this);
  setGeometry(area.isEmpty() ? QRect(area.topLeft(), kDesignArea.size()) : area);
  setWindowState(Qt::WindowMaximized);
  BuildControls();
  list_ = std::make_unique<board::ConfirmedList>(*mshflxView, connection_);
  ConnectEvents();
  // Key presses reach the board before whichever of its controls has the focus.
  qApp->installEventFilter(this);
  Timer2->start();
  Form_Load();
}

frmView::~frmView() = default;

void frmView::BuildControls() {
  // Placed and given their type by LayOutToScale.
  Image1 = new QLabel(this);
  Label1 = new QLabel(this);
  Picture1 = new platform::PictureBox(this);
  lblPage = new QLabel(this);
  lblPage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  mshflxView = new platform::FlexGrid(this);
  FormatGridDesign();

  notice_ = new QLabel;
  noticeState_ = std::make_unique<platform::ListingNotice>(
      *notice_, "Board", QStringLiteral("The listing of confirmed operations"));
  mshflxView->SetHeaderNote(notice_);
  LayOutToScale();

  Timer1 = new QTimer(this);
  Timer1->setInterval(10000);
  Timer2 = new QTimer(this);
  Timer2->setInterval(1000);
  Timer3 = new QTimer(this);
  Timer3->setInterval(kPageMs);
}

// The grid as the window design sets it: one header row, no fixed column, large bold type (set
// to scale). The last row is left current after each listing, but no row shows as selected.
void frmView::FormatGridDesign() {
  platform::FlexGrid& grid = *mshflxView;
  grid.SetFixedCols(0);
  // The columns fill the window's width; nobody scrolls a wall.
  grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const QPalette system = QApplication::palette();
  grid.SetBackColor(QColor(255, 255, 192));
  grid.SetForeColor(system.color(QPalette::WindowText));
  grid.SetBackColorFixed(system.color(QPalette::Button));
  grid.SetForeColorFixed(QColor(0, 0, 255));
  grid.SetBackColorSel(QColor(0, 0, 255));
  grid.SetForeColorSel(system.color(QPalette::HighlightedText));
  grid.SetGridColor(QColor(192, 192, 192));
  grid.SetHighLight(false);
}

// The design's places and type, scaled by the window's width over the design's.
void frmView::LayOutToScale() {
  if (width() <= 0) return;  // not laid out yet
  const qreal scale = qreal(width()) / kDesignArea.width();
  const auto pixels = [scale](int twips) {
    return int(std::lround(twips * scale / platform::kTwipsPerPixel));
  };
  const auto scaled = [&pixels](int left, int top, int width, int height) {
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
  };
  const auto font = [scale](const QString& family, qreal points) {
    return platform::DesignFont(family, points * scale, true);
  };
  const QString arial = QStringLiteral("Arial");
  Image1->setGeometry(scaled(120, 120, 5250, 1860));
  Image1->setPixmap(board::BoardMark(Image1->size()));
  Label1->setGeometry(scaled(10200, 1440, 9975, 495));
  Label1->setFont(font(arial, kClockPoints));
  // Left of the clock, a blank's width before its text.
  lblPage->setGeometry(scaled(5520, 1440, 4200, 495));
  lblPage->setFont(font(arial, kClockPoints));
  Picture1->setGeometry(scaled(8760, 120, 15, 135));
  notice_->setFont(font(arial, kNoticePoints));
  notice_->setMargin(pixels(90));

  // Below the picture to the window's right and bottom edges: nothing of it off the screen,
  // whatever the screen's proportions (the design's grid ran past both).
  const QPoint gridTop(pixels(120), pixels(2040));
  mshflxView->setGeometry(QRect(gridTop, QPoint(width() - 1, height() - 1)));
  mshflxView->SetScale(scale);
  mshflxView->setFont(font(arial, kGridPoints));
  mshflxView->SetFontFixed(font(QStringLiteral("Times New Roman"), kHeaderPoints));
  if (list_) list_->Set_RowHeights();  // the type changed: so do the wrapped texts' heights
}

void frmView::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOutToScale();
}

void frmView::ConnectEvents() {
  using platform::ConnectGuarded;
  ConnectGuarded(
      Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); },
      [this](const std::exception& error) { noticeState_->ListingFailed(error); });
  ConnectGuarded(
      Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); },
      [this](const std::exception& error) { noticeState_->ClockFailed(error); });
  ConnectGuarded(
      SysInfo1, &platform::SysInfo::DisplayChanged, this, [this] { SysInfo1_DisplayChanged(); },
      Warn("fitting the window to the display"));
  ConnectGuarded(
      Timer3, &QTimer::timeout, this, [this] { Timer3_Timer(); }, Warn("turning the page"));
  ConnectGuarded(
      &list_->Pages(), &board::BoardPages::Shown, this,
      [this] { lblPage->setText(list_->Pages().Caption()); }, Warn("showing the page"));
}

void frmView::Timer3_Timer() {
  list_->Pages().Turn();
}

void frmView::Form_Load() {
  Timer1->setInterval(500);
  Timer1->start();
  Timer3->start();
  list_->Format_Grid();
  platform::Guarded([this] { ListAndNote(); },
                    [this](const std::exception& error) { noticeState_->ListingFailed(error); });
}

void frmView::Check_Schedule() {
  list_->Check_Schedule();
}

void frmView::Timer1_Timer() {
  ListAndNote();
}

void frmView::ListAndNote() {
  Check_Schedule();
  // Until the board has read the clock itself, the time last read may be hours old.
  noticeState_->ListingSucceeded(clockRead_ ? modGlobal::ServerDateTime : QDateTime());
}

void frmView::Timer2_Timer() {
  QDateTime now;
  {
    const auto connection = connection_();
    platform::ScopedCommandTimeout quick(*connection, board::kBoardReadTimeoutSeconds);
    now = session::ServerNow(*connection);
  }
  clockRead_ = true;
  const QString clock = ClockText(now);
  Label1->setText(clock);
  Picture1->Cls();
  Picture1->Print(clock);
  noticeState_->ClockSucceeded();
}

// Each dimension in which the board is larger than the work area is fitted to it; the other is
// left alone. A maximized window keeps its size, so it is restored first.
void frmView::SysInfo1_DisplayChanged() {
  if (!isVisible()) return;
  const QRect area = SysInfo1->WorkArea(this);
  const QRect now = geometry();
  QRect fitted = now;
  if (now.width() > area.width()) {
    fitted.moveLeft(area.left());
    fitted.setWidth(area.width());
  }
  if (now.height() > area.height()) {
    fitted.moveTop(area.top());
    fitted.setHeight(area.height());
  }
  if (fitted == now) return;
  if (isMaximized()) setWindowState(windowState() & ~Qt::WindowMaximized);
  setGeometry(fitted);
}

bool frmView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || (widget != this && !isAncestorOf(widget)))
    return QDialog::eventFilter(watched, event);
  if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) close();
  return true;  // no other key does anything on the board
}

// However the board closes (Esc, the window system, a reject), it stops listing and reading
// the clock.
void frmView::done(int result) {
  Timer1->stop();
  Timer2->stop();
  Timer3->stop();
  QDialog::done(result);
}
