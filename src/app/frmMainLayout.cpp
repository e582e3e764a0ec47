// The layout of the main window, in twips as the window was designed, and how it follows the
// window's size.
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "app/Anchors.h"
#include "app/frmMain.h"
#include "platform/Twips.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/DurationBox.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MultiLineTextBox.h"
#include "platform/widgets/SysInfo.h"
#include "platform/widgets/TextBox.h"
#include "requests/RequestStatus.h"

using platform::DTPicker;
using platform::TextBox;
using platform::TwipRect;

namespace {

const QColor kReadOnlyBack(224, 224, 224);
constexpr int kFieldHeight = 315;

// The window's client area as designed, the request pane in it (as wide as start-up makes it),
// and the least room in which the request pane still shows its buttons beside the legend.
const QRect kDesignWindow = TwipRect(0, 0, 18645, 10740);
const QRect kDesignPane = TwipRect(5880, 240, 18645 - 5880, 10395);
const QSize kLeastPane = TwipRect(0, 0, 8580, 4440).size();

QGroupBox* Frame(QWidget* parent, const QString& title, QRect twips) {
  auto* frame = new QGroupBox(title, parent);
  frame->setGeometry(twips);
  // Assistive technology would read a nested frame by its outer frame's title otherwise.
  frame->setAccessibleName(title);
  return frame;
}

// A caption wider than its room (in a wider font, or at another scale) moves the left edge of the
// field beside it to the right, so that the two never touch; the field keeps its right edge.
void KeepClear(QLabel& label, QWidget& field) {
  constexpr int kGap = 4;  // pixels
  const QRect at = field.geometry();
  const int textRight = label.x() + label.sizeHint().width();
  const bool beside = at.left() > label.x() && at.top() < label.geometry().bottom();
  if (!beside || textRight + kGap <= at.left()) return;
  label.resize(label.sizeHint().width(), label.height());
  field.setGeometry(QRect(QPoint(textRight + kGap, at.top()), at.bottomRight()));
}

QLabel* Caption(QWidget* parent, const QString& text, QRect twips, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(twips);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  if (!buddy) return label;
  label->setBuddy(buddy);  // assistive technology reads the field by this caption
  KeepClear(*label, *buddy);
  return label;
}

// Every entry text field starts disabled on the read-only background (a legend swatch on its
// status colour).
TextBox* Field(QWidget* parent, QRect twips, const QColor& back = kReadOnlyBack) {
  auto* field = new TextBox(parent, back);
  field->setGeometry(twips);
  field->setEnabled(false);
  return field;
}

// A labelled field on one row of a frame.
TextBox* Row(QWidget* parent, const QString& caption, int top, int labelWidth, int fieldLeft,
             int fieldWidth) {
  TextBox* field = Field(parent, TwipRect(fieldLeft, top, fieldWidth, kFieldHeight));
  Caption(parent, caption, TwipRect(120, top, labelWidth, kFieldHeight), field);
  return field;
}

// The hidden field holding the staff code of the person named in `nameField`, at its place.
// Only a pick or a loaded request writes it: it never takes the focus or a typed key.
TextBox* CodeField(TextBox* nameField) {
  TextBox* code = Field(nameField->parentWidget(), nameField->geometry());
  code->hide();
  code->stackUnder(nameField);
  code->setFocusPolicy(Qt::NoFocus);
  code->setReadOnly(true);
  return code;
}

QPushButton* Button(QWidget* parent, const QString& caption, QRect twips, bool enabled) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(twips);
  button->setEnabled(enabled);
  return button;
}

}  // namespace

void frmMain::BuildPatientFrame(QWidget* form) {
  fraPatient = Frame(form, QStringLiteral("PATIENT INFORMATION"), TwipRect(120, 240, 5655, 1455));
  txtName = Row(fraPatient, QStringLiteral("Name"), 330, 1200, 1440, 4080);
  auto* hint = new QLabel(QStringLiteral("LastName, FirstName"), fraPatient);
  hint->setGeometry(TwipRect(1440, 660, 4080, 240));
  hint->setEnabled(false);
  txtRoomID = Row(fraPatient, QStringLiteral("Room ID"), 960, 1200, 1440, 1800);
}

void frmMain::BuildOperationFrame(QWidget* form) {
  fraOperation = Frame(form, QStringLiteral("OPERATION DETAILS"), TwipRect(120, 1800, 5655, 8775));
  QWidget* f = fraOperation;
  txtProcedure = Row(f, QStringLiteral("Procedure"), 330, 1200, 1440, 4080);

  // The pickers and the room box start read-only with the rest of the form (idle mode).
  dtpOperation = new DTPicker(DTPicker::Mode::Date, f);
  dtpOperation->setGeometry(TwipRect(1440, 720, 1440, kFieldHeight));
  dtpOperation->setEnabled(false);
  Caption(f, QStringLiteral("Schedule Date"), TwipRect(120, 720, 1260, kFieldHeight), dtpOperation);
  dtpOperTime = new DTPicker(DTPicker::Mode::Time, f);
  dtpOperTime->setGeometry(TwipRect(4140, 720, 1380, kFieldHeight));
  dtpOperTime->setEnabled(false);
  Caption(f, QStringLiteral("Schedule Time"), TwipRect(2970, 720, 1140, kFieldHeight), dtpOperTime);

  cboRequestRoom = new platform::ComboBox(f);
  cboRequestRoom->setGeometry(TwipRect(1440, 1110, 2040, kFieldHeight));
  cboRequestRoom->SetBackColor(kReadOnlyBack);
  cboRequestRoom->setEnabled(false);
  Caption(f, QStringLiteral("OR Room"), TwipRect(120, 1110, 1260, kFieldHeight), cboRequestRoom);
  txtTransNum = Field(f, TwipRect(4560, 1110, 960, kFieldHeight));
  lblTransNum = Caption(f, QStringLiteral("OR Transnum "), TwipRect(3600, 1110, 900, kFieldHeight),
                        txtTransNum);
  txtTransNum->hide();
  lblTransNum->hide();
  // The expected duration where the hidden transaction number lies, beside the room.
  dtpDuration = new platform::DurationBox(f);
  dtpDuration->setGeometry(TwipRect(4620, 1110, 900, kFieldHeight));
  dtpDuration->setEnabled(false);
  Caption(f, QStringLiteral("Est. Duration"), TwipRect(3540, 1110, 1050, kFieldHeight),
          dtpDuration);

  txtAsstDoc = Row(f, QStringLiteral("Asst. Doctor"), 1500, 1260, 1440, 4080);
  txtAsstDocID = CodeField(txtAsstDoc);

  BuildStaffFrames(f);
  txtCNurse = Row(f, QStringLiteral("CIRCULATING NURSE"), 5880, 1710, 1860, 3660);
  txtCNurseID = CodeField(txtCNurse);
  // Taller than the others: a long remark wraps over its height and can be read whole.
  txtRemarks = new platform::MultiLineTextBox(f);
  txtRemarks->setGeometry(TwipRect(1440, 6270, 4080, 1680));
  txtRemarks->SetBackColor(kReadOnlyBack);
  txtRemarks->setEnabled(false);
  Caption(f, QStringLiteral("Remarks:"), TwipRect(120, 6270, 1260, kFieldHeight), txtRemarks);
  BuildButtons(f);
}

void frmMain::BuildStaffFrames(QWidget* parent) {
  constexpr int kLeft = 1440, kWidth = 3855, kLabel = 1290, kStep = 390;
  fraSurgeons = Frame(parent, QStringLiteral("SURGEONS"), TwipRect(120, 1920, 5415, 1500));
  const QString surgeons[] = {QStringLiteral("Surgeon"), QStringLiteral("Asst. 1"),
                              QStringLiteral("Asst. 2")};
  for (int i = 0; i < 3; ++i) {
    txtSurgeon[i] = Row(fraSurgeons, surgeons[i], 300 + i * kStep, kLabel, kLeft, kWidth);
    txtSurgeonID[i] = CodeField(txtSurgeon[i]);
  }
  fraAnest = Frame(parent, QStringLiteral("ANESTHESIOLOGIST"), TwipRect(120, 3480, 5415, 1110));
  const QString anest[] = {QStringLiteral("Anesthe siologist"), QStringLiteral("Asst. 1")};
  fraSNurse = Frame(parent, QStringLiteral("SCRUB NURSE"), TwipRect(120, 4650, 5415, 1110));
  const QString nurses[] = {QStringLiteral("Scrub Nurse 1"), QStringLiteral("Asst. 1")};
  for (int i = 0; i < 2; ++i) {
    txtAnest[i] = Row(fraAnest, anest[i], 300 + i * kStep, kLabel, kLeft, kWidth);
    txtAnestID[i] = CodeField(txtAnest[i]);
    txtSNurse[i] = Row(fraSNurse, nurses[i], 300 + i * kStep, kLabel, kLeft, kWidth);
    txtSNurseID[i] = CodeField(txtSNurse[i]);
  }
}

void frmMain::BuildButtons(QWidget* parent) {
  constexpr int kTop = 8160, kHeight = 495, kWidth = 855;
  cmdView = Button(parent, QStringLiteral("PLAY"), TwipRect(120, kTop, 1575, kHeight), true);
  // Element order is not the order on screen: left to right they read New, Save, Edit, Exit.
  cmdOption[0] =
      Button(parent, QStringLiteral("&New"), TwipRect(1800, kTop, kWidth, kHeight), true);
  cmdOption[3] =
      Button(parent, QStringLiteral("&Save"), TwipRect(2760, kTop, kWidth, kHeight), false);
  cmdOption[1] =
      Button(parent, QStringLiteral("&Edit"), TwipRect(3720, kTop, kWidth, kHeight), false);
  cmdOption[2] =
      Button(parent, QStringLiteral("E&xit"), TwipRect(4680, kTop, kWidth, kHeight), true);
}

// The entry form's frames in a pane of their own, at their design places, that scrolls them
// when the window is shorter than the form; it never scrolls sideways. The form is in the pane
// before its frames are built: moving built frames into it would change every field's font
// twice (a parentless form has the application's font) and lay each field's text out again.
void frmMain::BuildEntryPane() {
  entryPane_ = new QScrollArea(this);
  entryPane_->setFrameShape(QFrame::NoFrame);
  entryPane_->setFocusPolicy(Qt::NoFocus);  // the form's fields take the focus, not their pane
  entryPane_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* form = new QWidget;
  form->setFixedSize(kDesignPane.left(), kDesignWindow.height());
  entryPane_->setWidget(form);
  BuildPatientFrame(form);
  BuildOperationFrame(form);
  entryPane_->setGeometry(0, 0, form->width(), form->height());
  const int bar = entryPane_->verticalScrollBar()->sizeHint().width();
  setMinimumSize(form->width() + bar + kLeastPane.width(), kDesignPane.top() + kLeastPane.height());
  // Laid out for a client area of 18645 x 10740 twips: the size it opens at where it fits.
  resize(kDesignWindow.size());
}

void frmMain::Resize_Frame() {
  const QSize form = entryPane_->widget()->size();
  const int bar =
      height() < form.height() ? entryPane_->verticalScrollBar()->sizeHint().width() : 0;
  entryPane_->setGeometry(0, 0, form.width() + bar, height());
  const int bottomMargin = kDesignWindow.bottom() - kDesignPane.bottom();
  QRect pane = kDesignPane;
  pane.setLeft(form.width() + bar);
  pane.setRight(width() - 1);
  pane.setBottom(height() - 1 - bottomMargin);
  fraPendingRequest->setGeometry(pane);
  paneAnchors_->LayOut(pane.size());
  FitFindBox(pane.width());
}

// The size it has (the design's, at start-up) where the work area holds it with the window's
// frame, moved inside the work area if need be; else as much of the design size as the work area
// holds, at its top-left corner.
void frmMain::FitIntoWorkArea() {
  const QRect area = sysInfo_->WorkArea(this);
  if (area.isEmpty()) return;
  const QRect inner = geometry();
  const QRect outer = frameGeometry();
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                       outer.right() - inner.right(), outer.bottom() - inner.bottom());
  const QSize room = area.size().shrunkBy(frame);
  if (room.width() >= width() && room.height() >= height()) {
    if (!area.contains(outer)) move(area.topLeft());
    return;
  }
  setMinimumSize(minimumSize().boundedTo(room));
  setGeometry(QRect(area.topLeft() + QPoint(frame.left(), frame.top()),
                    kDesignWindow.size().boundedTo(room)));
}

void frmMain::BuildRequestPane() {
  fraPendingRequest = Frame(this, QStringLiteral("SCHEDULE STATUS"), kDesignPane);
  paneAnchors_ = std::make_unique<Anchors>(kDesignPane.size(), kLeastPane);
  QWidget* f = fraPendingRequest;
  DTPicker1 = new DTPicker(DTPicker::Mode::Date, f);
  DTPicker1->setGeometry(TwipRect(1320, 570, 1695, kFieldHeight));
  Caption(f, QStringLiteral("Search by date:"), TwipRect(120, 570, 1155, kFieldHeight), DTPicker1);
  BuildFindBox();

  mshflexPending = new platform::FlexGrid(f);
  mshflexPending->setGeometry(TwipRect(120, 960, 12495, 8685));
  mshflexPending->SetFixedCols(1);
  mshflexPending->setAccessibleName(QStringLiteral("Requests"));
  paneAnchors_->Add(mshflexPending, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
  BuildListingMenu();

  cmdOpt[0] = Button(f, QStringLiteral("&Confirm"), TwipRect(120, 9720, 1095, 495), false);
  cmdOpt[1] = Button(f, QStringLiteral("&Revoke"), TwipRect(1320, 9720, 1095, 495), false);
  cmdDayByRoom = Button(f, QStringLiteral("Day by Room"), TwipRect(2520, 9720, 1095, 495), true);
  cmdDayByRoom->setToolTip(QStringLiteral("Ctrl+D"));
  for (QPushButton* button : {cmdOpt[0], cmdOpt[1], cmdDayByRoom})
    paneAnchors_->Add(button, Qt::LeftEdge | Qt::BottomEdge);

  // The legend: one locked swatch in each request status colour, beside its word, under the
  // list's right end.
  const Qt::Edges legend = Qt::RightEdge | Qt::BottomEdge;
  paneAnchors_->Add(Caption(f, QStringLiteral("Legend:"), TwipRect(7920, 9840, 720, 255), nullptr),
                    legend);
  const requests::RequestStatus order[] = {requests::RequestStatus::Revoked,
                                           requests::RequestStatus::Confirmed,
                                           requests::RequestStatus::Pending};
  for (int i = 0; i < 3; ++i) {
    const int left = 8700 + i * 1320;
    vkTextBox1[i] = Field(f, TwipRect(left, 9840, 375, 255), requests::StatusColor(order[i]));
    vkTextBox1[i]->setFocusPolicy(Qt::NoFocus);
    paneAnchors_->Add(vkTextBox1[i], legend);
    paneAnchors_->Add(Caption(f, session::LegendWord(order[i]),
                              TwipRect(left + 435, 9840, 840, 255), vkTextBox1[i]),
                      legend);
  }
}

// The list's context menu; it takes no room in the window.
void frmMain::BuildListingMenu() {
  mshflexPending->setContextMenuPolicy(Qt::CustomContextMenu);
  mnuListing = new QMenu(mshflexPending);
  mnuPrintList = mnuListing->addAction(QStringLiteral("Print List..."));
  mnuExportPDF = mnuListing->addAction(QStringLiteral("Export PDF..."));
  mnuExportCSV = mnuListing->addAction(QStringLiteral("Export CSV..."));
}

void frmMain::SetTabOrder() {
  QList<QWidget*> order = {
      txtName,         txtRoomID,       txtProcedure,    dtpOperation,   dtpOperTime,
      cboRequestRoom,  dtpDuration,     txtSurgeon[0],   txtSurgeon[1],  txtSurgeon[2],
      txtAnest[0],     txtAnest[1],     txtSNurse[0],    txtSNurse[1],   txtCNurse,
      txtRemarks,      cmdOption[0],    cmdOption[1],    cmdOption[2],   txtTransNum,
      txtAnestID[1],   txtAnestID[0],   txtSNurseID[0],  txtSNurseID[1], txtCNurseID,
      txtSurgeonID[0], txtSurgeonID[1], txtSurgeonID[2], cmdOption[3],   cmdView,
      cmdOpt[0],       cmdOpt[1],       mshflexPending,  txtAsstDocID,   txtAsstDoc,
      vkTextBox1[0],   vkTextBox1[1],   vkTextBox1[2],   DTPicker1,      txtFind,
      cmdDayByRoom};
  for (int i = 1; i < order.size(); ++i)
    setTabOrder(order[i - 1], order[i]);
}
