#pragma once

#include <QDialog>
#include <memory>

#include "session/ConnectionProvider.h"

class QLabel;
class QTimer;

namespace platform {
class FlexGrid;
class ListingNotice;
class PictureBox;
class SysInfo;
}  // namespace platform

namespace board {
class ConfirmedList;
}  // namespace board

// The board of confirmed operations, a borderless, maximized window that PLAY opens modally.
// It lists the confirmed operations in large type twice a second and shows the server's clock
// every second. Its type, picture and columns grow and shrink with the window from the design's
// 20400 x 9000 twips, so that the columns fill the screen's width and the clock stays on it; the
// list reaches the window's right and bottom edges. Operations that do not fit are shown in
// pages, each for kPageMs, with "Page 1 of 3" beside the clock. Esc
// closes it whichever of its controls has the focus; no other key does anything. A failed listing
// or clock read never opens a message box: the last listing stays, under a line saying how old it
// is, until a tick succeeds again.
class frmView : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kPageMs = 10000;

  // The board reads the database through `connection`. `sysInfo` reports display changes and
  // the work area; without one the board watches the real screens.
  explicit frmView(QWidget* parent = nullptr,
                   session::ConnectionProvider connection = session::CurrentUserConnection(),
                   platform::SysInfo* sysInfo = nullptr);
  ~frmView() override;

  // Lists the confirmed operations and fits the row heights (see board::ConfirmedList).
  void Check_Schedule();
  // What each tick does: Timer1 lists, Timer2 reads the server's clock and shows it. Both throw
  // on a database failure; the timers run them guarded, so that the failure shows on the board.
  void Timer1_Timer();
  void Timer2_Timer();
  // Timer3 turns the page while the operations do not fit on one.
  void Timer3_Timer();
  // Keeps the board inside the work area after the display configuration changed.
  void SysInfo1_DisplayChanged();

  // The line shown under the grid's header while the board is not current.
  QLabel& listingNotice() { return *notice_; }

  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* lblPage = nullptr;  // "Page 1 of 3" beside the clock, while the board pages
  platform::PictureBox* Picture1 = nullptr;
  platform::FlexGrid* mshflxView = nullptr;
  QTimer* Timer1 = nullptr;
  QTimer* Timer2 = nullptr;
  QTimer* Timer3 = nullptr;
  platform::SysInfo* SysInfo1 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void done(int result) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildControls();
  void FormatGridDesign();
  void LayOutToScale();
  void ConnectEvents();
  void Form_Load();
  void ListAndNote();

  session::ConnectionProvider connection_;
  std::unique_ptr<board::ConfirmedList> list_;
  QLabel* notice_ = nullptr;
  std::unique_ptr<platform::ListingNotice> noticeState_;
  bool clockRead_ = false;  // the board has read the server's clock since it opened
};
