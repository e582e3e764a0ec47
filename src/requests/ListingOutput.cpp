#include "requests/ListingOutput.h"

#include <QDir>
#include <QLocale>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>

#include "platform/Connection.h"
#include "platform/Csv.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FileDialog.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/PrintDialog.h"
#include "platform/widgets/TablePrint.h"
#include "requests/DayListing.h"
#include "requests/RequestList.h"
#include "session/Statements.h"
#include "session/modGlobal.h"

namespace requests {
namespace {

const QMarginsF kMarginsMillimetres(10, 10, 10, 10);

// The paper a PDF goes on where no print dialog chooses one: Letter where the system measures
// in inches, A4 elsewhere.
QPageSize LocalPaper() {
  const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
  return QPageSize(inches ? QPageSize::Letter : QPageSize::A4);
}

QDateTime ReadServerClock(const session::ConnectionProvider& connection) {
  auto records = connection()->Open(session::ServerClockSql(), platform::CursorType::ForwardOnly,
                                    platform::LockType::ReadOnly);
  const QDateTime now = platform::ToDateTime(records->Field(QStringLiteral("TDate")));
  records->Close();
  return now;
}

// Paper shows the colours without the window's legend beside them.
const QString kStatusLegend =
    QStringLiteral("Row colours: pending light blue, confirmed light yellow, revoked light red");

void WritePdf(const QString& path, const platform::PrintedTable& printout) {
  QSaveFile file(path);
  const auto failed = [&] {
    return platform::RuntimeError(
        QStringLiteral("The file %1 could not be written: %2").arg(path, file.errorString()));
  };
  if (!file.open(QIODevice::WriteOnly)) throw failed();
  {
    QPdfWriter pdf(&file);
    pdf.setTitle(printout.title);
    pdf.setCreator(platform::AppTitle());
    pdf.setPageLayout(QPageLayout(LocalPaper(), QPageLayout::Landscape, kMarginsMillimetres,
                                  QPageLayout::Millimeter));
    platform::PrintTable(printout, pdf);
  }
  if (!file.commit()) throw failed();
}

}  // namespace

ListingOutput::ListingOutput(platform::FlexGrid& grid, const RequestList& list,
                             platform::DTPicker& datePicker, QWidget* dialogParent,
                             session::ConnectionProvider connection)
    : grid_(grid),
      list_(list),
      datePicker_(datePicker),
      dialogParent_(dialogParent),
      connection_(std::move(connection)) {}

bool ListingOutput::Available() const {
  return list_.HoldsRequests() && grid_.isEnabled();
}

void ListingOutput::Print_List() {
  if (!Available()) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(
      QStringLiteral("OR requests %1").arg(datePicker_.Date().toString(Qt::ISODate)));
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setPageMargins(kMarginsMillimetres, QPageLayout::Millimeter);
  if (!platform::AskPrinter(printer, dialogParent_)) return;
  platform::PrintTable(Printout(), printer);
}

void ListingOutput::Export_PDF() {
  if (!Available()) return;
  const QString path = AskWhereToSave(QStringLiteral("Export PDF"), QStringLiteral("pdf"),
                                      QStringLiteral("PDF files (*.pdf)"));
  if (path.isEmpty()) return;
  // Everything that can fail before a byte is written comes first.
  WritePdf(path, Printout());
  SayWritten(path);
}

void ListingOutput::Export_CSV() {
  if (!Available()) return;
  const QString path = AskWhereToSave(QStringLiteral("Export CSV"), QStringLiteral("csv"),
                                      QStringLiteral("CSV files (*.csv)"));
  if (path.isEmpty()) return;
  platform::SaveCsv(path, ListingOf(list_.Listing(), ColumnWidths()).table);
  SayWritten(path);
}

void ListingOutput::SayWritten(const QString& path) const {
  platform::MsgBox(
      QStringLiteral("The list was written to %1.").arg(QDir::toNativeSeparators(path)),
      platform::vbOKOnly | platform::vbInformation, QStringLiteral("SUCCESS!"));
}

// The widths of the columns as the grid shows them now.
std::function<int(int col)> ListingOutput::ColumnWidths() const {
  return [&grid = grid_](int col) { return grid.ColWidth(col); };
}

platform::PrintedTable ListingOutput::Printout() const {
  const QDateTime printedAt = ReadServerClock(connection_);
  const QString employee = modGlobal::EmployeeCode();
  DayListing listing = ListingOf(list_.Listing(), ColumnWidths());
  platform::PrintedTable printout;
  printout.title = QStringLiteral("Operation requests of %1")
                       .arg(platform::Format(datePicker_.Value(), QStringLiteral("Long Date")));
  printout.headingLines = {QStringLiteral("Printed %1 (server time) by employee %2")
                               .arg(platform::DateTimeText(printedAt), employee),
                           kStatusLegend};
  printout.table = std::move(listing.table);
  printout.columnWidths = std::move(listing.columnWidths);
  for (RequestStatus status : listing.statuses)
    printout.rowColors.append(StatusColor(status));
  return printout;
}

// Proposes "OR requests 2026-12-08.pdf" in the user's documents folder, made when there is none
// yet, or else in the home folder: a folder that is there.
QString ListingOutput::AskWhereToSave(const QString& caption, const QString& suffix,
                                      const QString& filter) const {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir().mkpath(folder)) folder = QDir::homePath();
  const QString name =
      QStringLiteral("OR requests %1.%2").arg(datePicker_.Date().toString(Qt::ISODate), suffix);
  return platform::GetSaveFileName({caption, QDir(folder).filePath(name), filter, suffix},
                                   dialogParent_);
}

}  // namespace requests
