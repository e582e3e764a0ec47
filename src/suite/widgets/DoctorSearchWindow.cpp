#include "suite/widgets/DoctorSearchWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Connection.h"
#include "platform/Twips.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/SearchList.h"
#include "platform/widgets/TextBox.h"
#include "suite/DoctorSearch.h"

namespace suite {
namespace {

enum Column { kCode = 1, kLastName, kFirstName, kSpecialty };

}  // namespace

DoctorSearchWindow::DoctorSearchWindow(std::shared_ptr<platform::Connection> connection,
                                       const QString& text, QWidget* parent)
    : QDialog(parent), connection_(std::move(connection)) {
  setWindowTitle(QStringLiteral("Find a Doctor"));
  setModal(true);
  resize(platform::TwipRect(0, 0, 8700, 6300).size());

  auto* layout = new QVBoxLayout(this);
  auto* caption = new QLabel(QStringLiteral("&Last name or code:"), this);
  search_ = new platform::TextBox(this);
  caption->setBuddy(search_);
  search_->setText(text);
  // Names and codes are kept in upper case.
  search_->SetKeyPressHook(
      [](qint16& key) { key = qint16(QChar(char16_t(key)).toUpper().unicode()); });
  list_ = new platform::FlexGrid(this);
  list_->setAccessibleName(QStringLiteral("Doctors"));
  list_->SetColWidth(kCode, 1000);
  list_->SetColWidth(kLastName, 2200);
  list_->SetColWidth(kFirstName, 2200);
  list_->SetColWidth(kSpecialty, 2400);
  list_->SetColWidth(0, 1);
  list_->SetColsFitWidth(true);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* pick = buttons->addButton(QStringLiteral("&Pick"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  pick->setAutoDefault(false);
  layout->addWidget(caption);
  layout->addWidget(search_);
  layout->addWidget(list_);
  layout->addWidget(buttons);

  searchList_ = new platform::SearchList(
      *search_, *list_, [this] { Search(); }, [this] { Pick(); },
      platform::SearchList::EnterInBox::Picks);
  using platform::ConnectGuarded;
  ConnectGuarded(buttons, &QDialogButtonBox::accepted, this,
                 [this] { searchList_->PickAsTyped(); });
  ConnectGuarded(buttons, &QDialogButtonBox::rejected, this, [this] { reject(); });
  searchList_->List();
}

void DoctorSearchWindow::Search() {
  auto doctors = connection_->Open(DoctorSearchSql(search_->text()),
                                   platform::CursorType::ForwardOnly, platform::LockType::ReadOnly);
  list_->Bind(*doctors);
  doctors->Close();
  if (list_->Rows() > 1) list_->SetRow(1);
}

void DoctorSearchWindow::Pick() {
  const int row = list_->Row();
  if (row < 1) return;  // no doctor listed
  picked_ = {list_->TextMatrix(row, kCode), list_->TextMatrix(row, kLastName),
             list_->TextMatrix(row, kFirstName)};
  accept();
}

}  // namespace suite
