#include "requests/PaneState.h"

#include <QPushButton>

#include "session/modGlobal.h"

namespace requests {
namespace {

// The captions button 1 is given, without an access key; until the first, it keeps the design's.
const QString kCancel = QStringLiteral("Cancel");
const QString kEdit = QStringLiteral("Edit");

}  // namespace

PaneState::PaneState(std::array<QPushButton*, 4> cmdOption, QWidget* fraPendingRequest,
                     std::array<QPushButton*, 2> cmdOpt)
    : cmdOption_(cmdOption), pane_(fraPendingRequest), cmdOpt_(cmdOpt) {
  Apply();
}

void PaneState::SetMode(FormMode mode) {
  mode_ = mode;
  Apply();
}

void PaneState::SetListedDay(const QDate& day) {
  listedDay_ = day;
  Apply();
}

void PaneState::Select(std::optional<qint64> transNum) {
  selected_ = transNum;
  Apply();
}

void PaneState::Apply() {
  const bool browsing = !Writing();
  cmdOption_[0]->setEnabled(browsing);
  cmdOption_[1]->setEnabled(mode_ != FormMode::Idle);
  if (Writing())
    cmdOption_[1]->setText(kCancel);
  else if (cmdOption_[1]->text() == kCancel)
    cmdOption_[1]->setText(kEdit);
  cmdOption_[2]->setEnabled(mode_ == FormMode::Idle);
  cmdOption_[3]->setEnabled(Writing());
  pane_->setEnabled(browsing);
  const bool actable = browsing && selected_ && listedDay_.isValid() &&
                       listedDay_ >= modGlobal::ServerDateTime.date();
  for (QPushButton* button : cmdOpt_)
    button->setEnabled(actable);
}

}  // namespace requests
