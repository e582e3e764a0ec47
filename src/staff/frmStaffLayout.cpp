// The fixed layout of the OR staff search window, in twips as the window was designed.
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "platform/Twips.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/Fonts.h"
#include "platform/widgets/ListingNotice.h"
#include "platform/widgets/TextBox.h"
#include "staff/frmStaff.h"

using platform::DesignFont;
using platform::TwipRect;

namespace {

QLabel* Label(QWidget* parent, const QString& text, QRect twips, const QFont& font) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(twips);
  label->setFont(font);
  return label;
}

// A magnifying glass, the picture of the search button.
QIcon SearchPicture() {
  QPixmap picture(20, 20);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(40, 40, 40), 2.2));
  painter.drawEllipse(QRectF(2.5, 2.5, 10, 10));
  painter.setPen(QPen(QColor(40, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(11.5, 11.5), QPointF(17, 17));
  return QIcon(picture);
}

}  // namespace

void frmStaff::BuildWindow() {
  // An empty caption; a blank keeps the title bar from showing the program's name instead.
  setWindowTitle(QStringLiteral(" "));
  setModal(true);
  setFont(DesignFont(QStringLiteral("Tahoma"), 8));
  setFixedSize(TwipRect(0, 0, 5550, 6765).size());
  if (const QScreen* screen = QApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  const QFont title = DesignFont(QStringLiteral("Tahoma"), 18, true);
  // The title twice, the transparent one a little higher: a soft shadow behind the other.
  lblSTitle = Label(this, QStringLiteral("OR Staff"), TwipRect(0, 0, 5355, 705), title);
  lblSTitle->setAttribute(Qt::WA_TranslucentBackground);
  lblSTitle->setAlignment(Qt::AlignCenter);
  QPalette shadow = lblSTitle->palette();
  shadow.setColor(QPalette::WindowText, shadow.color(QPalette::Mid));
  lblSTitle->setPalette(shadow);
  lblTitle = Label(this, QStringLiteral("OR Staff"), TwipRect(0, 60, 5460, 600), title);
  lblTitle->setAlignment(Qt::AlignCenter);

  Text1 = new platform::TextBox(this);
  Text1->setGeometry(TwipRect(180, 720, 4755, 375));
  Text1->setFont(DesignFont(QStringLiteral("Arial"), 9.75));
  Text1->setAccessibleName(QStringLiteral("Last name or code"));
  cmdConnect = new QPushButton(this);
  cmdConnect->setGeometry(TwipRect(4980, 720, 495, 375));
  cmdConnect->setIcon(SearchPicture());
  cmdConnect->setAccessibleName(QStringLiteral("Search"));

  Frame1 = new QFrame(this);
  Frame1->setGeometry(TwipRect(120, 1080, 5295, 4875));
  Frame1->setFrameShape(QFrame::Box);
  MSHFlexGrid1 = new platform::FlexGrid(this);
  MSHFlexGrid1->setGeometry(TwipRect(240, 1200, 5175, 4635));
  MSHFlexGrid1->setAccessibleName(QStringLiteral("OR Staff"));
  // The list on the tooltip colours, its header and fixed column on teal.
  const QPalette system = QApplication::palette();
  MSHFlexGrid1->SetBackColor(system.color(QPalette::ToolTipBase));
  MSHFlexGrid1->SetForeColor(system.color(QPalette::WindowText));
  MSHFlexGrid1->SetBackColorFixed(QColor(0, 128, 128));
  MSHFlexGrid1->SetForeColorFixed(system.color(QPalette::ButtonText));
  MSHFlexGrid1->SetBackColorSel(system.color(QPalette::Highlight));
  MSHFlexGrid1->SetForeColorSel(system.color(QPalette::HighlightedText));
  MSHFlexGrid1->SetGridColor(QColor(192, 192, 192));
  lblFailed = new QLabel;
  lblFailed->setWordWrap(true);
  lblFailed->setMargin(platform::TwipsToPixels(45));
  platform::MakeAlarmLine(*lblFailed);
  MSHFlexGrid1->SetHeaderNote(lblFailed);

  imgHelpTip = new QLabel(this);
  imgHelpTip->setGeometry(TwipRect(0, 5940, 465, 495));
  imgHelpTip->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(24, 24));
  imgHelpTip->setAlignment(Qt::AlignCenter);
  lblHelpTip =
      Label(this,
            QStringLiteral("Type the Lastname to Search, Use the Arrow Keys to Select and  "
                           "then Press <Enter> Press <Esc> Key to change search item"),
            TwipRect(480, 5970, 3840, 720), DesignFont(QStringLiteral("Arial"), 8.25, true));
  // Designed 4125 twips wide, it ran under the Exit button: it ends before the button instead.
  lblHelpTip->setWordWrap(true);
  lblHelpTip->setTextFormat(Qt::PlainText);
  cmdExit = new QPushButton(QStringLiteral("&Exit"), this);
  cmdExit->setGeometry(TwipRect(4380, 6000, 1095, 435));
  // Enter searches in the box and picks in the list; it never presses a button.
  for (QPushButton* button : {cmdConnect, cmdExit})
    button->setAutoDefault(false);
  setTabOrder(Text1, cmdConnect);
  setTabOrder(cmdConnect, MSHFlexGrid1);
  setTabOrder(MSHFlexGrid1, cmdExit);
}
