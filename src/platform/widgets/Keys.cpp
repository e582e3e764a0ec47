#include "platform/widgets/Keys.h"

#include <QCoreApplication>
#include <QPointer>

namespace platform {
namespace {

// The moment of the last release of Enter, seen by the whole application.
class EnterReleases : public QObject {
 public:
  explicit EnterReleases(QObject& application) : QObject(&application) {
    application.installEventFilter(this);
  }

  // Whether a press comes at the very moment of the last release: the keyboard repeating it.
  bool Repeats(const QKeyEvent& press) const {
    return press.timestamp() != 0 && press.timestamp() == lastRelease_ && press.key() == lastKey_;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyRelease) {
      const auto& release = static_cast<const QKeyEvent&>(*event);
      if (IsEnter(release)) {
        lastRelease_ = release.timestamp();
        lastKey_ = release.key();
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  quint64 lastRelease_ = 0;
  int lastKey_ = 0;
};

// Watching from the first Enter on: a repeat follows a press.
const EnterReleases& Releases() {
  static QPointer<EnterReleases> releases;
  if (!releases) releases = new EnterReleases(*QCoreApplication::instance());
  return *releases;
}

}  // namespace

bool IsRepeatedEnter(const QKeyEvent& event) {
  return IsEnter(event) && (event.isAutoRepeat() || Releases().Repeats(event));
}

}  // namespace platform
