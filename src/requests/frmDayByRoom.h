#pragma once

#include <QHash>
#include <QWidget>
#include <memory>
#include <optional>

#include "session/ConnectionProvider.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace session {
class RequestListing;
}

namespace requests {

class DayPlan;
class PaneState;
class RequestList;

// "Day by Room": the listed date with one column per operating room, in the order the room list
// holds them, and the hours running down. Each request is a block from its start to its end on
// its status colour, outlined where it clashes; a request without a known end is a short block
// with a broken lower edge. Each block shows its patient, procedure and surgeon as far as its
// height allows and gives them all as its tooltip and accessible name. On the server's date a
// line marks the server's time. The window follows the request list: each listing it shows (a
// date listed, the list refreshed) draws it anew. The arrow keys move between the blocks; Enter
// or a double click selects the block's request in the request list. Print puts the day on one
// page through the print dialog, the rooms across it.
class frmDayByRoom : public QWidget {
  Q_OBJECT

 public:
  frmDayByRoom(RequestList& list, const PaneState& state, const QComboBox& rooms, QWidget* parent,
               session::ConnectionProvider connection = session::CurrentUserConnection());
  ~frmDayByRoom() override;

  // Draws the listed day anew from the request list's listing. The room names of its codes are
  // looked up once each; a failure to read them shows on the window, never as a message box.
  void Redraw();
  const DayPlan& Plan() const { return *plan_; }
  // The day's area, holding the keys: it paints the blocks and stands for the block the keys are
  // on to assistive technology (its accessible name that block's).
  QWidget* DayCanvas() const;
  // Where a block of Plan() lies on DayCanvas().
  QRect BlockRect(int block) const;
  // The block the keys are on, -1 on a day without blocks.
  int FocusedBlock() const;
  // Selects a block's request in the request list (Enter, a double click).
  void PickBlock(int block);
  // Moves the keys to the block an arrow key leads to.
  void MoveFrom(int block, int key);
  void Print_Day();

  QLabel* lblDay = nullptr;
  QLabel* lblNotice = nullptr;
  QPushButton* cmdPrint = nullptr;

 private:
  class Canvas;

  // Everything about a block, one part a line, its clashes worded as the clash sign words them.
  QStringList Described(int block) const;
  QString RoomNameOf(const QString& code);
  std::optional<int> NowMinute() const;

  RequestList& list_;
  const PaneState& state_;
  const QComboBox& rooms_;
  session::ConnectionProvider connection_;
  Canvas* canvas_;
  std::shared_ptr<const session::RequestListing> listing_;  // the plan's
  std::unique_ptr<DayPlan> plan_;
  QHash<QString, QString> roomNames_;  // by code, as looked up
};

}  // namespace requests
