#pragma once

#include <QDialog>

#include "session/ConnectionProvider.h"

class QFrame;
class QLabel;
class QPushButton;

namespace platform {
class FlexGrid;
class SearchList;
class TextBox;
}  // namespace platform

// The OR staff search window: lists the operating-room staff (department 29) as the user types
// a last name or a code (SearchList: Enter in the box lists at once, Down goes into the list,
// Enter or a double click there picks), and hands the pick back through modGlobal::StaffCode
// and StaffName.
// Each showing (exec) loads it afresh; only a pick or "&Exit" closes it, and closing without a
// pick hands back two empty texts. A failing search empties the list and says so in a red line
// under its header.
class frmStaff : public QDialog {
  Q_OBJECT

 public:
  explicit frmStaff(QWidget* parent = nullptr,
                    session::ConnectionProvider connection = session::CurrentUserConnection());

  QString SearchKey() const { return searchKey_; }
  void SetSearchKey(const QString& key) { searchKey_ = key; }
  bool SearchMode() const { return searchMode_; }
  void SetSearchMode(bool on) { searchMode_ = on; }  // kept for callers; the window ignores it

  // Loads the window and shows it modally until a pick or Exit.
  int exec() override;

  // The search: the staff for SearchKey, listed afresh.
  void cmdConnect_Click();

  QLabel* lblSTitle = nullptr;
  QLabel* lblTitle = nullptr;
  platform::TextBox* Text1 = nullptr;
  QPushButton* cmdConnect = nullptr;
  QFrame* Frame1 = nullptr;
  platform::FlexGrid* MSHFlexGrid1 = nullptr;
  QLabel* lblFailed = nullptr;  // under the list's header while a search fails
  QLabel* imgHelpTip = nullptr;
  QLabel* lblHelpTip = nullptr;
  QPushButton* cmdExit = nullptr;
  platform::SearchList* searchList = nullptr;  // the list following Text1

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildWindow();
  void ConnectEvents();
  void Form_Load();
  void LayOutList();
  void Text1_KeyPress(qint16& keyAscii);
  void Pick();

  session::ConnectionProvider connection_;
  QString searchKey_;
  bool searchMode_ = false;
};
