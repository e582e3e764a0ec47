#include "platform/widgets/DTPicker.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/WallClock.h"
#include "platform/widgets/ErrorReport.h"
#include "platform/widgets/SendKeys.h"
#include "platform/widgets/TextBox.h"

namespace platform {

namespace {

const QTime kMidnight(0, 0);

// A typed text that is not a value, and one that is before the earliest value, are shown so.
const QColor kProblemText(192, 0, 0);

// A key that only changes what the next key types: pressed alone it changes nothing.
bool IsModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
      return true;
    default:
      return false;
  }
}

// A key that types its text: with or without Shift, from the keypad, or with AltGr (which some
// systems report as Ctrl+Alt); not Ctrl or Alt alone, which make shortcuts.
bool TypesText(const QKeyEvent& event) {
  const QString text = event.text();
  if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); }))
    return false;
  const Qt::KeyboardModifiers mods = event.modifiers();
  const bool ctrl = mods & Qt::ControlModifier, alt = mods & Qt::AltModifier;
  return ctrl == alt && !(mods & Qt::MetaModifier);
}

}  // namespace

// The drop-down calendar of a date picker: each step through it is a pick, Enter or a click
// picks and closes it, Esc closes it.
class CalendarPopup : public QFrame {
 public:
  explicit CalendarPopup(DTPicker& picker) : QFrame(&picker, Qt::Popup) {
    setFrameShape(QFrame::StyledPanel);
    setAttribute(Qt::WA_WindowPropagation);  // the picker's font and colours
    calendar = new QCalendarWidget(this);
    calendar->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calendar);
    const auto pick = [this, &picker] { picker.setDate(calendar->selectedDate()); };
    ConnectGuarded(calendar, &QCalendarWidget::selectionChanged, this, pick);
    for (auto done : {&QCalendarWidget::activated, &QCalendarWidget::clicked})
      ConnectGuarded(calendar, done, this, [this, pick] {
        pick();
        close();
      });
  }

  void Open(const QDate& on, const QPoint& below, int aboveY) {
    {
      const QSignalBlocker quiet(calendar);  // opening it picks nothing
      calendar->setSelectedDate(on);
    }
    const QSize size = sizeHint();
    QPoint at = below;
    if (const QScreen* screen = QGuiApplication::screenAt(below)) {
      const QRect room = screen->availableGeometry();
      if (at.y() + size.height() > room.bottom()) at.setY(aboveY - size.height());
      at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - size.width())));
    }
    move(at);
    show();
    calendar->setFocus();
  }

  QCalendarWidget* calendar;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape)
      close();
    else
      QFrame::keyPressEvent(event);
  }
};

DTPicker::DTPicker(Mode mode, QWidget* parent)
    : QAbstractSpinBox(parent),
      mode_(mode),
      typing_(mode == Mode::Date ? DateTimeTyping::Kind::Date : DateTimeTyping::Kind::Time) {
  // The base accepts any text and mends none (validate(), fixup()): the field's text is ours.
  value_ = normalized(WallClock(mode_ == Mode::Date ? QDate(2000, 1, 1) : ZeroDate(), kMidnight));
  typing_.Show(value_);
  if (mode_ == Mode::Date) setButtonSymbols(QAbstractSpinBox::NoButtons);
  lineEdit()->installEventFilter(this);
  lineEdit()->setAcceptDrops(false);
  setAcceptDrops(true);  // a drop on the field is taken here
  ShowField();
}

DTPicker::~DTPicker() = default;

void DTPicker::SetValue(const QVariant& value) {
  const QDateTime wanted = normalized(ToDateTime(value));
  if (!allows(wanted))
    throw RuntimeError(QStringLiteral("Invalid property value: %1 is before the earliest value %2.")
                           .arg(DefaultText(wanted), DefaultText(earliest_)));
  const bool changed = wanted != value_;
  value_ = wanted;
  Revert();
  if (changed) emit ValueChanged();
}

void DTPicker::setDate(const QDate& date) {
  const QDateTime picked = normalized(WallClock(date, kMidnight));
  if (mode_ != Mode::Date || !date.isValid() || !allows(picked)) return;
  TakeFromUser(picked);
}

void DTPicker::SetMinDate(const QVariant& earliest, const DTPicker* datePicker) {
  earliest_ = earliest.isNull() ? QDateTime() : normalized(ToDateTime(earliest));
  for (const QMetaObject::Connection& connection : std::as_const(pairedConnections_))
    disconnect(connection);
  pairedConnections_.clear();
  pairedDate_ = mode_ == Mode::Time ? datePicker : nullptr;
  // Whether the time of day shown is too early depends on the date shown beside it and on that
  // picker's own earliest date.
  if (pairedDate_) {
    pairedConnections_ = {
        connect(pairedDate_, &DTPicker::ValueChanged, this, &DTPicker::UpdateLook),
        connect(pairedDate_, &DTPicker::MinDateChanged, this, &DTPicker::UpdateLook)};
  }
  if (calendar_) calendar_->calendar->setMinimumDate(earliest_.date());
  UpdateLook();
  emit MinDateChanged();
}

void DTPicker::LowerMinDateTo(const QVariant& value) {
  const QDateTime wanted = normalized(ToDateTime(value));
  if (allows(wanted)) return;
  SetMinDate(wanted, pairedDate_);
}

QString DTPicker::Problem() const {
  if (!showsTyped_) return allows(value_) ? QString() : EarliestProblem(value_);
  const std::optional<QDateTime> typed = typing_.Read();
  if (!typed)
    return QStringLiteral("\"%1\" is not a %2")
        .arg(typing_.Text().trimmed(), mode_ == Mode::Date ? QStringLiteral("date (month/day/year)")
                                                           : QStringLiteral("time of day"));
  return allows(*typed) ? QString() : EarliestProblem(*typed);
}

QString DTPicker::EarliestProblem(const QDateTime& value) const {
  return QStringLiteral("%1 is before %2, the earliest that can be chosen")
      .arg(Shown(value), Shown(earliest_));
}

void DTPicker::Revert() {
  showsTyped_ = false;
  typing_.Show(value_);
  ShowField();
}

QCalendarWidget* DTPicker::calendarWidget() {
  if (mode_ != Mode::Date) return nullptr;
  if (!calendar_) {
    calendar_ = new CalendarPopup(*this);
    if (earliest_.isValid()) calendar_->calendar->setMinimumDate(earliest_.date());
  }
  return calendar_->calendar;
}

QDateTime DTPicker::normalized(const QDateTime& value) const {
  if (mode_ == Mode::Date) return WallClock(value.date(), kMidnight);
  return WallClock(ZeroDate(), value.time());
}

bool DTPicker::allows(const QDateTime& value) const {
  if (!earliest_.isValid()) return true;
  if (mode_ == Mode::Date) return value.date() >= earliest_.date();
  return !timeMinimumApplies() || value.time() >= earliest_.time();
}

// The earliest time of day holds unless the paired date picker shows a date after its own
// earliest date. Without a paired picker, or when that picker has no earliest value, it holds.
bool DTPicker::timeMinimumApplies() const {
  if (!pairedDate_ || !pairedDate_->MinDate().isValid()) return true;
  return pairedDate_->Date() <= pairedDate_->MinDate().date();
}

QString DTPicker::Shown(const QDateTime& value) const {
  return Format(
      value, mode_ == Mode::Date ? QStringLiteral("MM/DD/YYYY") : QStringLiteral("hh:mm:ss AM/PM"));
}

// Keys.

bool DTPicker::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto& key = static_cast<QKeyEvent&>(*event);
    if (TypesText(key)) {  // AltGr's characters are typed, not shortcuts
      key.accept();
      return true;
    }
    const bool handled = QAbstractSpinBox::event(event);
    // Another control's shortcut (Alt+S saves) acts on what was typed, as a click would.
    if (!key.isAccepted() && !IsModifierKey(key.key())) Commit();
    return handled;
  }
  if (event->type() == QEvent::InputMethod) {
    auto& input = static_cast<QInputMethodEvent&>(*event);
    if (!input.commitString().isEmpty()) Type(input.commitString());
    event->accept();
    return true;
  }
  const bool handled = QAbstractSpinBox::event(event);
  switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange:
      PlaceField();
      break;
    case QEvent::EnabledChange:
      UpdateLook();
      break;
    default:
      break;
  }
  return handled;
}

void DTPicker::keyPressEvent(QKeyEvent* event) {
  if (HandleKey(*event)) {
    event->accept();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
  if (hasFocus()) SelectPart();  // the base selects the whole text at Enter
}

// True when the key was handled here. The base gets the steps (Up, Down, Page Up, Page Down),
// Esc, Copy and keys that type nothing; no other key edits the field.
bool DTPicker::HandleKey(QKeyEvent& event) {
  const int key = event.key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    Commit();
    if (KeepsFocus()) return true;
    if (!enterMovesOn_) return false;
    QueueTab(this);
    return true;
  }
  if (event.matches(QKeySequence::Paste)) {
    Paste(QGuiApplication::clipboard()->text());
    return true;
  }
  if (event.matches(QKeySequence::Cut)) {
    lineEdit()->copy();
    EraseSelected();
    return true;
  }
  if (mode_ == Mode::Date &&
      (key == Qt::Key_F4 || (key == Qt::Key_Down && (event.modifiers() & Qt::AltModifier)))) {
    ShowCalendar();
    return true;
  }
  if (TypesText(event)) {
    Type(event.text());
    return true;
  }
  switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
      EraseSelected();
      return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
      typing_.MoveTo(typing_.Part() + (key == Qt::Key_Right ? 1 : -1));
      ShowField();
      return true;
    case Qt::Key_Home:
    case Qt::Key_End:
      typing_.MoveTo(key == Qt::Key_End ? typing_.LastPart() : 0);
      ShowField();
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
      return false;
    default:
      break;
  }
  if (event.matches(QKeySequence::SelectAll)) {
    SelectAll();
    return true;
  }
  if (event.matches(QKeySequence::Copy)) return false;
  return !event.text().isEmpty();  // Undo, Ctrl+U and the like would edit around the typing
}

// Typed where the typing is; a complete value is taken at once.
void DTPicker::Type(const QString& text) {
  if (isReadOnly()) return;
  bool complete = false;
  for (QChar typed : text) {
    showsTyped_ = true;
    complete = typing_.Type(typed);
  }
  ShowField();
  if (complete) Commit();
}

// A paste or a drop is read as if its text were typed from the first part on; line breaks are
// blanks, as in every one-line field. It ends the typing.
void DTPicker::Paste(const QString& text) {
  if (isReadOnly() || !isEnabled()) return;
  typing_.MoveTo(0);
  showsTyped_ = true;
  for (QChar typed : OnOneLine(text).trimmed())
    if (typing_.Type(typed)) break;
  ShowField();
  Commit();
}

void DTPicker::EraseSelected() {
  if (isReadOnly()) return;
  showsTyped_ = true;
  typing_.Erase();
  ShowField();
}

// What was typed becomes the value when it is one the picker takes; otherwise it stays shown.
void DTPicker::Commit() {
  if (!showsTyped_) return;
  const std::optional<QDateTime> typed = typing_.Read();
  if (typed && allows(*typed)) {
    showsTyped_ = false;
    TakeFromUser(*typed);
  }
  UpdateLook();
}

void DTPicker::TakeFromUser(const QDateTime& value) {
  const bool changed = value != value_;
  value_ = value;
  showsTyped_ = false;
  typing_.Show(value_);
  ShowField();
  if (!changed) return;
  emit ValueChanged();
  emit Change();
}

void DTPicker::ShowField() {
  const QString shown = showsTyped_ ? typing_.Text() : Shown(value_);
  if (lineEdit()->text() != shown) lineEdit()->setText(shown);
  if (hasFocus()) SelectPart();
  UpdateLook();
}

// The whole text, and typing from the first part.
void DTPicker::SelectAll() {
  typing_.MoveTo(0);
  lineEdit()->selectAll();
}

void DTPicker::SelectPart() {
  const int part = typing_.Part();
  lineEdit()->setSelection(typing_.Start(part), typing_.Length(part));
}

void DTPicker::UpdateLook() {
  const QString problem = Problem();
  QPalette look = palette();
  // A read-only picker shows a value before the earliest one (a past request) as any other.
  if (!problem.isEmpty() && isEnabled()) {
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      look.setColor(group, QPalette::Text, kProblemText);
  }
  lineEdit()->setPalette(look);
  // The reason shown for a text since mended goes with it.
  if (problem.isEmpty() && QToolTip::isVisible() && QToolTip::text() == toolTip())
    QToolTip::hideText();
  setToolTip(problem);
}

// What the user typed and the picker cannot take keeps the focus until it is mended, and is
// shown as it is.
bool DTPicker::KeepsFocus() {
  Commit();
  const QString problem = Problem();
  if (problem.isEmpty()) return false;
  SelectPart();
  QToolTip::showText(mapToGlobal(rect().bottomLeft()), problem, this);
  return true;
}

bool DTPicker::focusNextPrevChild(bool next) {
  if (KeepsFocus()) return true;
  return QWidget::focusNextPrevChild(next);
}

void DTPicker::focusInEvent(QFocusEvent* event) {
  QAbstractSpinBox::focusInEvent(event);
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
    typing_.MoveTo(0);
  if (event->reason() != Qt::MouseFocusReason) SelectPart();
}

void DTPicker::focusOutEvent(QFocusEvent* event) {
  Commit();
  QAbstractSpinBox::focusOutEvent(event);
}

// A click in the field starts the part clicked anew; a middle click pastes the selection
// (X11), read as typed.
bool DTPicker::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::MouseButtonPress;
  if (watched != lineEdit() || (!press && event->type() != QEvent::MouseButtonRelease))
    return QAbstractSpinBox::eventFilter(watched, event);
  const auto& mouse = static_cast<QMouseEvent&>(*event);
  if (mouse.button() == Qt::MiddleButton) {
    if (!press && QGuiApplication::clipboard()->supportsSelection())
      Paste(QGuiApplication::clipboard()->text(QClipboard::Selection));
    return true;
  }
  if (!press && mouse.button() == Qt::LeftButton)
    typing_.MoveTo(typing_.PartAt(lineEdit()->cursorPosition()));
  return false;
}

// The field's menu: Paste reads the clipboard as typed, Cut and Delete erase the part; nothing
// else that edits (undo, control characters) is offered.
void DTPicker::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  const bool editable = !isReadOnly(), selected = lineEdit()->hasSelectedText();
  const auto add = [&](const QString& text, QKeySequence::StandardKey key, bool enabled,
                       const std::function<void()>& act) {
    QAction* action =
        menu.addAction(text + u'\t' + QKeySequence(key).toString(QKeySequence::NativeText));
    action->setEnabled(enabled);
    ConnectGuarded(action, &QAction::triggered, this, act);
  };
  add(QStringLiteral("Cu&t"), QKeySequence::Cut, editable && selected, [this] {
    lineEdit()->copy();
    EraseSelected();
  });
  add(QStringLiteral("&Copy"), QKeySequence::Copy, selected, [this] { lineEdit()->copy(); });
  add(QStringLiteral("&Paste"), QKeySequence::Paste,
      editable && !QGuiApplication::clipboard()->text().isEmpty(),
      [this] { Paste(QGuiApplication::clipboard()->text()); });
  add(QStringLiteral("Delete"), QKeySequence::Delete, editable && selected,
      [this] { EraseSelected(); });
  menu.addSeparator();
  add(QStringLiteral("Select All"), QKeySequence::SelectAll, true, [this] { SelectAll(); });
  menu.exec(event->globalPos());
  event->accept();
}

void DTPicker::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasText() && !isReadOnly()) event->acceptProposedAction();
}

void DTPicker::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasText() && !isReadOnly()) event->acceptProposedAction();
}

void DTPicker::dropEvent(QDropEvent* event) {
  Paste(event->mimeData()->text());
  event->acceptProposedAction();
}

// Steps.

QAbstractSpinBox::StepEnabled DTPicker::stepEnabled() const {
  if (isReadOnly() || !isEnabled()) return StepNone;
  return StepUpEnabled | StepDownEnabled;
}

// The part the cursor is in, stepped from the value (what was typed and is one first); a text
// that is none is replaced. Never to before the earliest value, nor out of the day or calendar.
void DTPicker::stepBy(int steps) {
  Commit();
  const QDateTime stepped = Stepped(steps);
  if (stepped.isValid() && (allows(stepped) || stepped > value_))
    TakeFromUser(stepped);
  else
    Revert();
}

QDateTime DTPicker::Stepped(int steps) const {
  const int part = typing_.Part();
  if (mode_ == Mode::Date) {
    const QDate date = value_.date();
    const QDate stepped = part == 0   ? date.addMonths(steps)
                          : part == 1 ? date.addDays(steps)
                                      : date.addYears(steps);
    return DateTimeTyping::Holds(stepped) ? WallClock(stepped, kMidnight) : QDateTime();
  }
  const int second = value_.time().msecsSinceStartOfDay() / 1000;
  static constexpr int kPartSeconds[] = {3600, 60, 1};
  const int to = part < 3 ? second + steps * kPartSeconds[part]
                          : second + (second < 12 * 3600 ? 1 : -1) * 12 * 3600;
  if (to < 0 || to >= 24 * 3600) return {};
  return WallClock(ZeroDate(), QTime(0, 0).addSecs(to));
}

// The drop-down.

QStyleOptionComboBox DTPicker::DropDownOption() const {
  QStyleOptionComboBox option;
  option.initFrom(this);
  option.editable = true;
  option.frame = hasFrame();
  option.subControls = QStyle::SC_All;
  if (calendar_ && calendar_->isVisible()) option.state |= QStyle::State_On;
  return option;
}

void DTPicker::PlaceField() {
  if (mode_ != Mode::Date) return;
  const QStyleOptionComboBox option = DropDownOption();
  lineEdit()->setGeometry(
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this));
}

void DTPicker::paintEvent(QPaintEvent* event) {
  if (mode_ != Mode::Date) return QAbstractSpinBox::paintEvent(event);
  QStylePainter painter(this);
  painter.drawComplexControl(QStyle::CC_ComboBox, DropDownOption());
}

void DTPicker::mousePressEvent(QMouseEvent* event) {
  const QStyleOptionComboBox option = DropDownOption();
  if (mode_ == Mode::Date && event->button() == Qt::LeftButton && !isReadOnly() &&
      style()->hitTestComplexControl(QStyle::CC_ComboBox, &option, event->position().toPoint(),
                                     this) == QStyle::SC_ComboBoxArrow) {
    ShowCalendar();
    event->accept();
    return;
  }
  QAbstractSpinBox::mousePressEvent(event);
}

void DTPicker::ShowCalendar() {
  Commit();
  calendarWidget();
  calendar_->Open(value_.date(), mapToGlobal(rect().bottomLeft()), mapToGlobal(QPoint()).y());
  update();
}

QSize DTPicker::sizeHint() const {
  ensurePolished();
  const QString widest =
      mode_ == Mode::Date ? QStringLiteral("00/00/0000 ") : QStringLiteral("00:00:00 AM ");
  const QSize text(fontMetrics().horizontalAdvance(widest) + 2, lineEdit()->sizeHint().height());
  if (mode_ == Mode::Date) {
    const QStyleOptionComboBox option = DropDownOption();
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
  }
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

}  // namespace platform
