#pragma once

#include <QStringList>
#include <QStringView>
#include <memory>
#include <vector>

#include "platform/CellTexts.h"
#include "platform/NumberColumn.h"
#include "session/Clashes.h"
#include "session/Durations.h"
#include "session/ORSchedule.h"
#include "session/RequestStatus.h"

namespace platform {
class Recordset;
}

namespace session {

// The requests of one listed date, as the server returned them and in its order, every field
// as text. Column 0 is the list's selector column and holds nothing; columns 1 to 31 are the
// fields of a request (RequestColumn), under the field names the server gave them. Beside the
// texts, which are only shown, it keeps the values the program works with (the operation's
// date and time, the status, the transaction number, when it was confirmed and revoked), read
// once from the server's typed values, and each request's expected duration, joined to it by
// transaction number from the date's durations. A listing never changes once read: the request list
// shows it and the features read it, all sharing the one copy of its texts.
class RequestListing {
 public:
  // No requests and no columns.
  RequestListing();
  RequestListing(const RequestListing&) = delete;
  RequestListing& operator=(const RequestListing&) = delete;

  // Reads the recordset to its end, each request with its duration from `durations`. Throws
  // platform::TooManyRowsError when it holds more requests than the list can show; `like`, the
  // listing it replaces, sizes the buffers.
  static std::shared_ptr<const RequestListing> Read(platform::Recordset& records,
                                                    const DayDurations& durations = {},
                                                    const RequestListing* like = nullptr);

  int Rows() const { return cells_->rows(); }
  int Cols() const { return cells_->cols(); }
  const QStringList& Headers() const { return headers_; }
  // A cell of request `row` (0-based); empty for a request or column the listing lacks.
  QStringView Text(int row, int col) const;
  // The request of a row, its texts and its typed values.
  ORSchedule At(int row) const;
  RequestStatus Status(int row) const { return typed_.status[row]; }
  // A row's operation date and time (null where the server gave none), and its expected
  // duration in minutes (none where it is not known).
  QDateTime OperationAt(int row) const;
  std::optional<int> Minutes(int row) const;
  const Clashes& clashes() const { return clashes_; }
  // The minutes a row's request takes part in clashes for (Clashes::SpanReader).
  Clashes::Span ClashSpan(int row) const;
  // The texts, to be shown as they are.
  const std::shared_ptr<const platform::CellTexts>& Cells() const { return cells_; }

  // The 0-based row of the request with this transaction number; -1 when none has it.
  int RowOf(qint64 transNum) const;
  // The transaction number of a row's request; none when the server gave none.
  std::optional<qint64> TransNum(int row) const;

 private:
  // The typed values of every row, compactly: a long listing keeps them for each request.
  // Dates and times are wall-clock seconds (platform::ToWallSeconds).
  struct Typed {
    platform::NumberColumn operation, transNum, minutes;
    platform::NumberColumn confirmed{platform::NumberColumn::Kind::Sparse};
    platform::NumberColumn revoked{platform::NumberColumn::Kind::Sparse};
    std::vector<RequestStatus> status;
  };
  // The one reading of a record's typed values, for a listing and for a single request
  // (RequestOfRecord); a listing keeps them compactly, as wall-clock seconds. The duration
  // comes from `durations` where given, else from the record's own field after the listing's
  // columns (as a request read by its number has it).
  struct TypedRow {
    qint64 operation, transNum, confirmed, revoked, minutes;
    RequestStatus status;
  };
  static TypedRow ReadRow(const platform::Recordset& record, const DayDurations* durations);
  static TypedValues ValuesOf(const TypedRow& row);
  static void AppendTyped(Typed& typed, const platform::Recordset& record,
                          const DayDurations& durations);
  friend ORSchedule RequestOfRecord(const platform::Recordset& record,
                                    const DayDurations* durations);

  RequestListing(QStringList headers, std::shared_ptr<const platform::CellTexts> cells,
                 Typed typed);

  QStringList headers_;
  std::shared_ptr<const platform::CellTexts> cells_;
  Typed typed_;
  Clashes clashes_;
};

// The request at the recordset's current record, whose fields are the listing's columns; its
// duration from `durations` where given, else from its field after them.
ORSchedule RequestOfRecord(const platform::Recordset& record,
                           const DayDurations* durations = nullptr);

}  // namespace session
