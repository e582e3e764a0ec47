#pragma once

#include <QString>
#include <functional>

#include "session/ConnectionProvider.h"

class QWidget;

namespace platform {
class DTPicker;
class FlexGrid;
struct PrintedTable;
}  // namespace platform

namespace requests {

class RequestList;

// Puts out the requests listed for the date in the list's picker: printed, as a PDF file or as
// a CSV file for a spreadsheet. Printouts carry the listed date, the server's time of printing
// and the signed-in user's employee code, and show each row on its status colour. Each action
// asks first (the print dialog, or where to save) and does nothing when the user cancels; a
// failure throws after leaving any file already under the chosen name as it was.
class ListingOutput {
 public:
  ListingOutput(platform::FlexGrid& grid, const RequestList& list, platform::DTPicker& datePicker,
                QWidget* dialogParent,
                session::ConnectionProvider connection = session::CurrentUserConnection());

  // Whether there is a listing to put out: the list holds requests and can be used (neither
  // it nor its pane is disabled). Every action does nothing otherwise.
  bool Available() const;

  void Print_List();
  void Export_PDF();
  void Export_CSV();

 private:
  // Reads the server's clock for the heading; the time the rest of the program goes by
  // (modGlobal::ServerDateTime) is not changed.
  platform::PrintedTable Printout() const;
  std::function<int(int col)> ColumnWidths() const;
  // The path the user chose for the file, empty when they cancelled.
  QString AskWhereToSave(const QString& caption, const QString& suffix,
                         const QString& filter) const;
  // Tells the user where the file was written.
  void SayWritten(const QString& path) const;

  platform::FlexGrid& grid_;
  const RequestList& list_;
  platform::DTPicker& datePicker_;
  QWidget* dialogParent_;
  session::ConnectionProvider connection_;
};

}  // namespace requests
