#pragma once

#include <QDate>
#include <array>
#include <optional>

class QPushButton;
class QWidget;

namespace requests {

// The entry form's modes: idle (empty), viewing a request, writing a new one, editing one.
enum class FormMode { Idle, Viewing, New, Edit };

// The request pane's state in one place: the date the list shows, the request selected on it (by
// its transaction number; none until the user picks one) and the entry form's mode. Every change
// goes through it, and it enables the buttons from it, each time, in one place: the form's New,
// Edit (Cancel while writing), Exit and Save, the request pane, and Confirm and Revoke, which
// act on the selected request while the form is idle or viewing and the listed date is not
// before the server's date as last read.
class PaneState {
 public:
  PaneState(std::array<QPushButton*, 4> cmdOption, QWidget* fraPendingRequest,
            std::array<QPushButton*, 2> cmdOpt);

  FormMode Mode() const { return mode_; }
  bool Writing() const { return mode_ == FormMode::New || mode_ == FormMode::Edit; }
  void SetMode(FormMode mode);

  const QDate& ListedDay() const { return listedDay_; }
  void SetListedDay(const QDate& day);

  const std::optional<qint64>& Selected() const { return selected_; }
  void Select(std::optional<qint64> transNum);

 private:
  void Apply();

  std::array<QPushButton*, 4> cmdOption_;  // 0 New, 1 Edit or Cancel, 2 Exit, 3 Save
  QWidget* pane_;
  std::array<QPushButton*, 2> cmdOpt_;  // 0 Confirm, 1 Revoke
  FormMode mode_ = FormMode::Idle;
  QDate listedDay_;
  std::optional<qint64> selected_;
};

}  // namespace requests
