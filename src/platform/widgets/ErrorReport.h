#pragma once

#include <QObject>
#include <concepts>
#include <exception>
#include <functional>
#include <stdexcept>
#include <utility>

namespace platform {

// How a failure that abandoned an action is made known.
using FailureReport = std::function<void(const std::exception& error)>;

// The ordinary report: one critical message box naming the failure, under the product's title.
void ReportFailure(const std::exception& error);

// Runs an action; a failure (any exception) is reported and the action returns false, leaving
// the window usable. Exceptions never leave it.
template <class Action>
bool Guarded(Action&& action, const FailureReport& report = ReportFailure) {
  try {
    std::forward<Action>(action)();
    return true;
  } catch (const std::exception& error) {
    report(error);
  } catch (...) {
    report(std::runtime_error("An unknown failure abandoned the action."));
  }
  return false;
}

// Reports a failure once, and again only after an action has succeeded since: a search that
// runs at every key the user types would otherwise show one message per key while the
// database is away.
class ReportOnceUntilSuccess {
 public:
  explicit ReportOnceUntilSuccess(FailureReport report = ReportFailure)
      : report_(std::move(report)) {}

  // Runs the action guarded; true when it succeeded.
  template <class Action>
  bool Run(Action&& action) {
    const bool succeeded = Guarded(std::forward<Action>(action), [this](const std::exception& e) {
      if (!failing_) report_(e);
      failing_ = true;
    });
    if (succeeded) failing_ = false;
    return succeeded;
  }

 private:
  FailureReport report_;
  bool failing_ = false;
};

// The one way to connect a handler to a signal that a user or a timer raises: the handler runs
// guarded, so that no exception crosses the slot. The handler may take the signal's arguments
// or fewer, as with QObject::connect. A window that must not open message boxes (a wall
// board) passes its own report.
template <class Sender, class Signal, class Handler>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, const QObject* context,
                                       Handler handler, FailureReport report = ReportFailure) {
  return QObject::connect(
      sender, signal, context, [
        handler = std::move(handler), report = std::move(report)
      ]<class... Args>(Args && ... args) requires std::invocable<Handler&, Args...> {
        Guarded([&] { handler(std::forward<Args>(args)...); }, report);
      });
}

}  // namespace platform
