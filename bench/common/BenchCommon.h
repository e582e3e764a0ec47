#pragma once

#include <QApplication>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

class QSqlQuery;

namespace hospitaldb {
class EmbeddedServer;
}

namespace platform {
class Connection;
}

namespace bench {

// One side of a comparison: the timed work, and optional steps run just before and just after
// it, untimed.
struct Side {
  std::function<void()> run;
  std::function<void()> prepare = nullptr;
  std::function<void()> finish = nullptr;
};

// Medians of a paired run, in milliseconds, and the median of the per-pair ratios.
struct PairedTimes {
  double floorMs = 0;
  double measuredMs = 0;
  double ratio = 0;  // median over pairs of measured / floor of the same pair
};

inline constexpr int kDefaultPairs = 9;

// Runs floor, measured, floor, measured, ... for `pairs` pairs (at least kDefaultPairs) and
// returns their medians.
//
// The two sides alternate, and the ratio is taken within each pair, because the machine is small
// and shared: when all floor runs came before all measured runs, a busy moment (a build next door)
// landed on one side only, and three runs of the list load gave ratios from 1.28 to 1.64. Taken in
// turn, both halves of a pair see much the same machine, and the medians drop the pairs that a
// busy moment spoils anyway.
PairedTimes TimePairs(const Side& floor, const Side& measured, int pairs = kDefaultPairs);

// The floor of a listing: every field of every row of the statement read as text into
// `cells`, as a grid takes them, with no window.
void ReadAllText(platform::Connection& connection, const QString& sql, std::vector<QString>& cells);
// The floor below that: every field of every row of an executed query read as text, straight
// from the database driver.
void ReadAllText(QSqlQuery&& query, std::vector<QString>& cells);

// A database file of the benchmark's own, in a folder removed at the end; the program finds it
// (and its runtime folder) through the environment. Made before the QApplication.
class ScratchDatabase {
 public:
  ScratchDatabase();
  QString path() const { return dir_.filePath(QStringLiteral("bench.sqlite")); }

 private:
  QTemporaryDir dir_;
};

// The application of a benchmark on the demo database, in a scratch file: the database is made
// before the application, and a message box ends the run.
class DemoWorkstation {
 public:
  DemoWorkstation(int& argc, char** argv);
  ~DemoWorkstation();
  hospitaldb::EmbeddedServer& server() { return *server_; }

 private:
  ScratchDatabase scratch_;
  QApplication app_;
  std::unique_ptr<hospitaldb::EmbeddedServer> server_;
};

// Makes any message box end the run: a benchmark that meets one is measuring a failure.
void FailOnMessageBox();

// Ends the run unless SQLite's plan of the executed query (with its bound values) uses `index`:
// a benchmark of a scan where a seek was meant measures the wrong thing.
void RequirePlan(const QSqlQuery& executed, const char* index);

// Prints "BENCH <name> <measured> ms floor=<floor> ratio=<median pair ratio>".
void Report(const QString& name, const PairedTimes& times);
// Prints "BENCH <name> <value> <unit>", a figure without a floor.
void Report(const QString& name, double value, const QString& unit);

// CPU time (user and system) this process has used so far, in milliseconds.
double ProcessCpuMs();

// The resident memory of this process now, in MiB.
double ResidentMiB();

}  // namespace bench
