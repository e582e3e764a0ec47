#pragma once

#include <QString>
#include <functional>

namespace bench {

// Runs `work` `runs` times (after `prepare`, which is not timed) and returns the median
// wall-clock time in milliseconds.
double MedianMs(int runs, const std::function<void()>& work,
                const std::function<void()>& prepare = nullptr);

// Prints "BENCH <name> <value> <unit> floor=<floor> ratio=<value/floor>".
void Report(const QString& name, double value, const QString& unit, double floor);

}  // namespace bench
