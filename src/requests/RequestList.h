#pragma once

#include <QString>

class QPushButton;

namespace platform {
class DTPicker;
class FlexGrid;
}  // namespace platform

namespace requests {

// The request pane's list: the requests of the date in DTPicker1, one row each in
// mshflexPending, coloured by request status; a click on the list decides whether
// "&Confirm" and "&Revoke" may be used.
class RequestList {
 public:
  // Grid columns of a request row (column 0 is the selector column).
  enum Column {
    kPatientName = 1,
    kProcedure = 2,
    kPatientRoom = 3,
    kORRoomCode = 4,
    kOperationDate = 9,
    kTransNum = 11,
    kStatus = 27,
    kConfirmedBy = 28,
    kConfirmedDate = 29,
    kRevokedBy = 30,
    kRevokedDate = 31,
  };

  RequestList(platform::FlexGrid& grid, platform::DTPicker& datePicker, QPushButton* confirm,
              QPushButton* revoke);

  // Lays out the empty grid: 27 columns, the header row and one blank row, the widths.
  void Format_Grid();
  // Lists the requests of the date given as text. Throws on a database failure, after
  // emptying the list so that no rows of another date stay under the picker's date.
  void Load_ORSchedule(const QString& dateText);
  void Color_Status();
  void Size_Rows();

  // The user changed the list's date: list that date.
  void DTPicker1_Change();
  // A click anywhere on the enabled list: Confirm and Revoke are usable unless the listed
  // date is before the server's date as last read.
  void mshflexPending_Click();

 private:
  void ShowEmpty();

  platform::FlexGrid& grid_;
  platform::DTPicker& datePicker_;
  QPushButton* confirm_;
  QPushButton* revoke_;
};

// Row height, in twips, for a procedure text of this many characters.
int RowHeightForProcedure(qsizetype characters);

}  // namespace requests
