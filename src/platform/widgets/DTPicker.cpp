#include "platform/widgets/DTPicker.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/WallClock.h"
#include "platform/widgets/ErrorReport.h"

namespace platform {

namespace {

const QTime kMidnight(0, 0);

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
    : TypedField(mode == Mode::Date ? DateTimeTyping::Kind::Date : DateTimeTyping::Kind::Time,
                 parent),
      mode_(mode) {
  value_ = normalized(WallClock(mode_ == Mode::Date ? QDate(2000, 1, 1) : ZeroDate(), kMidnight));
  typing_.Show(value_);
  if (mode_ == Mode::Date) setButtonSymbols(QAbstractSpinBox::NoButtons);
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

bool DTPicker::event(QEvent* event) {
  const bool handled = TypedField::event(event);
  switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange:
      PlaceField();
      break;
    default:
      break;
  }
  return handled;
}

bool DTPicker::HandleOwnKey(QKeyEvent& event) {
  const int key = event.key();
  if (mode_ != Mode::Date ||
      (key != Qt::Key_F4 && (key != Qt::Key_Down || !(event.modifiers() & Qt::AltModifier))))
    return false;
  ShowCalendar();
  return true;
}

bool DTPicker::TakeTyped() {
  const std::optional<QDateTime> typed = typing_.Read();
  if (!typed || !allows(*typed)) return false;
  TakeFromUser(*typed);
  return true;
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
