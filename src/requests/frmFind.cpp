#include "requests/frmFind.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/CellTexts.h"
#include "platform/Connection.h"
#include "platform/Format.h"
#include "platform/Twips.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/SearchList.h"
#include "platform/widgets/TextBox.h"
#include "requests/PatientFinder.h"
#include "requests/RequestStatus.h"

namespace requests {
namespace {

// The list's columns after the selector column, with their widths in twips.
struct FoundColumn {
  const char* header;
  int width;
};
constexpr FoundColumn kColumns[] = {{"Date and Time", 2200}, {"Patient", 2500}, {"Procedure", 2700},
                                    {"OR Room", 1000},       {"Surgeon", 2100}, {"Status", 1000}};

QStringList Cells(const session::FoundRequest& r) {
  const QString when =
      r.operationDate.isValid() ? platform::DateTimeText(r.operationDate) : QString();
  return {QString(),
          when,
          r.patientName,
          r.procedure,
          r.orRoom,
          r.surgeon,
          session::LegendWord(r.status)};
}

QString FoundText(const QString& text, const session::FoundRequests& found) {
  if (!session::IsSearchable(text))
    return QStringLiteral(
        "Type two letters of the patient's name at least, or a transaction "
        "number.");
  if (found.more)
    return QStringLiteral(
               "More than %1 requests match: the %1 latest are listed. Type more of "
               "the name to see the others.")
        .arg(session::kMostFound);
  if (found.requests.empty()) return QStringLiteral("No request matches.");
  if (found.requests.size() == 1) return QStringLiteral("1 request found.");
  return QStringLiteral("%1 requests found.").arg(found.requests.size());
}

}  // namespace

frmFind::frmFind(const QString& text, QWidget* parent, session::ConnectionProvider connection)
    : QDialog(parent), connection_(std::move(connection)) {
  setWindowTitle(QStringLiteral("Find Patient"));
  setModal(true);
  setAttribute(Qt::WA_WindowPropagation);  // the main window's type
  auto* layout = new QVBoxLayout(this);
  auto* caption = new QLabel(QStringLiteral("&Patient's name or transaction number:"), this);
  txtSearch = new platform::TextBox(this);
  caption->setBuddy(txtSearch);
  txtSearch->setText(text);
  TypeInUpperCase(*txtSearch);
  grdFound = new platform::FlexGrid(this);
  grdFound->setAccessibleName(QStringLiteral("Requests found"));
  grdFound->SetColWidth(0, 1);
  grdFound->SetColsFitWidth(true);
  int width = 0;
  for (int c = 0; c < int(std::size(kColumns)); ++c) {
    grdFound->SetColWidth(c + 1, kColumns[c].width);
    width += kColumns[c].width;
  }
  lblFound = new QLabel(this);
  lblFound->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* list = buttons->addButton(QStringLiteral("&List"), QDialogButtonBox::AcceptRole);
  list->setAutoDefault(false);
  buttons->addButton(QDialogButtonBox::Close);
  layout->addWidget(caption);
  layout->addWidget(txtSearch);
  layout->addWidget(grdFound, 1);
  layout->addWidget(lblFound);
  layout->addWidget(buttons);
  // The columns side by side, where the screen has room for them.
  const QSize design = platform::TwipRect(0, 0, width + 900, 6600).size();
  const QScreen* screen = parent ? parent->screen() : QApplication::primaryScreen();
  resize(design.boundedTo(screen->availableSize()));

  searchList_ = new platform::SearchList(
      *txtSearch, *grdFound, [this] { Search(); }, [this] { Pick(); },
      platform::SearchList::EnterInBox::Picks);
  using platform::ConnectGuarded;
  ConnectGuarded(buttons, &QDialogButtonBox::accepted, this,
                 [this] { searchList_->PickAsTyped(); });
  ConnectGuarded(buttons, &QDialogButtonBox::rejected, this, [this] { reject(); });
  searchList_->List();
}

void frmFind::Search() {
  const QString text = txtSearch->text();
  session::FoundRequests found;
  if (session::IsSearchable(text)) found = session::FindRequests(*connection_(), text);
  Show(found);
  lblFound->setText(FoundText(text, found_));
}

void frmFind::Show(const session::FoundRequests& found) {
  found_ = found;
  QStringList headers{QString()};
  for (const FoundColumn& column : kColumns)
    headers << QString::fromLatin1(column.header);
  auto cells = std::make_shared<platform::CellTexts>(int(headers.size()));
  for (const session::FoundRequest& request : found_.requests) {
    cells->startRow();
    for (const QString& cell : Cells(request))
      cells->appendCell(cell);
  }
  grdFound->Show(headers, cells);
  const QColor text = QApplication::palette().color(QPalette::WindowText);
  for (int r = 0; r < int(found_.requests.size()); ++r)
    grdFound->SetRowColors(r + 1, text, StatusColor(found_.requests[r].status));
  grdFound->setEnabled(!found_.requests.empty());
  if (!found_.requests.empty()) grdFound->SetRow(1);
}

void frmFind::Pick() {
  const int row = grdFound->Row();
  if (row < 1 || row > int(found_.requests.size())) return;  // nothing listed
  picked_ = found_.requests[row - 1];
  accept();
}

}  // namespace requests
