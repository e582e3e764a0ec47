#include "session/RequestListing.h"

#include "platform/Connection.h"
#include "platform/RecordTable.h"
#include "platform/WallSeconds.h"

namespace session {
namespace {

using C = RequestColumn;
using platform::NumberColumn;
using platform::NumberOf;
static_assert(platform::kNoWallSeconds == NumberColumn::kNone);

constexpr qint64 kSecondsPerMinute = 60;

}  // namespace

RequestListing::RequestListing()
    : RequestListing(QStringList(), std::make_shared<const platform::CellTexts>(), Typed()) {}

RequestListing::RequestListing(QStringList headers,
                               std::shared_ptr<const platform::CellTexts> cells, Typed typed)
    : headers_(std::move(headers)),
      cells_(std::move(cells)),
      typed_(std::move(typed)),
      clashes_(
          cells_->rows(), [this](int row, C::Column column) { return Text(row, column); },
          [this](int row) { return ClashSpan(row); }) {}

QDateTime RequestListing::OperationAt(int row) const {
  return platform::FromWallSeconds(row >= 0 && row < Rows() ? typed_.operation.at(row)
                                                            : NumberColumn::kNone);
}

std::optional<int> RequestListing::Minutes(int row) const {
  const qint64 minutes = row >= 0 && row < Rows() ? typed_.minutes.at(row) : NumberColumn::kNone;
  return minutes != NumberColumn::kNone ? std::optional(int(minutes)) : std::nullopt;
}

Clashes::Span RequestListing::ClashSpan(int row) const {
  const qint64 start = typed_.operation.at(row);
  if (typed_.status[row] == RequestStatus::Revoked || start == NumberColumn::kNone) return {};
  const qint64 minute = start / kSecondsPerMinute;
  const qint64 minutes = typed_.minutes.at(row);
  return minutes == NumberColumn::kNone ? Clashes::Span{minute, minute + 1, false}
                                        : Clashes::Span{minute, minute + minutes, true};
}

// The typed values of a record as the listing keeps them: dates and times as wall-clock seconds
// (platform::ToWallSeconds), numbers and seconds kNone where the server gave none.
RequestListing::TypedRow RequestListing::ReadRow(const platform::Recordset& record,
                                                 const DayDurations* durations) {
  const auto value = [&](int column) {
    const int field = column - C::kFirst;
    return field < record.FieldCount() ? record.Value(field) : QVariant();
  };
  const qint64 transNum = NumberOf(value(C::kTransNum));
  qint64 minutes = NumberColumn::kNone;
  if (!durations)
    minutes = NumberOf(value(C::kLast + 1));
  else if (const auto known = durations->MinutesOf(transNum))
    minutes = *known;
  return {platform::WallSecondsOf(value(C::kOperationDate)),
          transNum,
          platform::WallSecondsOf(value(C::kDateConfirmed)),
          platform::WallSecondsOf(value(C::kDateRevoked)),
          minutes,
          StatusOf(value(C::kStatus).toString())};
}

TypedValues RequestListing::ValuesOf(const TypedRow& row) {
  TypedValues typed;
  typed.operationAt = platform::FromWallSeconds(row.operation);
  if (row.transNum != NumberColumn::kNone) typed.transNum = row.transNum;
  typed.confirmedAt = platform::FromWallSeconds(row.confirmed);
  typed.revokedAt = platform::FromWallSeconds(row.revoked);
  typed.status = row.status;
  if (row.minutes != NumberColumn::kNone) typed.minutes = int(row.minutes);
  return typed;
}

void RequestListing::AppendTyped(Typed& typed, const platform::Recordset& record,
                                 const DayDurations& durations) {
  const TypedRow row = ReadRow(record, &durations);
  typed.operation.append(row.operation);
  typed.transNum.append(row.transNum);
  typed.minutes.append(row.minutes);
  typed.confirmed.append(row.confirmed);
  typed.revoked.append(row.revoked);
  typed.status.push_back(row.status);
}

std::shared_ptr<const RequestListing> RequestListing::Read(platform::Recordset& records,
                                                           const DayDurations& durations,
                                                           const RequestListing* like) {
  const platform::TableSize size =
      like ? platform::TableSize{like->Cols(), like->Rows(), like->cells_->textSize()}
           : platform::TableSize{};
  Typed typed;
  if (like) {
    typed.operation.reserve(like->Rows());
    typed.transNum.reserve(like->Rows());
    typed.minutes.reserve(like->Rows());
    typed.status.reserve(like->Rows());
  }
  platform::RecordTable table = platform::ReadRecords(
      records, C::kFirst, size,
      [&](const platform::Recordset& record) { AppendTyped(typed, record, durations); });
  typed.operation.squeeze();
  typed.transNum.squeeze();
  typed.minutes.squeeze();
  typed.status.shrink_to_fit();
  return std::shared_ptr<const RequestListing>(new RequestListing(
      std::move(table.headers), std::make_shared<const platform::CellTexts>(std::move(table.cells)),
      std::move(typed)));
}

QStringView RequestListing::Text(int row, int col) const {
  const bool held = row >= 0 && row < Rows() && col >= 0 && col < Cols();
  return held ? cells_->at(row, col) : QStringView();
}

ORSchedule RequestListing::At(int row) const {
  TypedValues typed;
  if (row >= 0 && row < Rows())
    typed = ValuesOf({typed_.operation.at(row), typed_.transNum.at(row), typed_.confirmed.at(row),
                      typed_.revoked.at(row), typed_.minutes.at(row), typed_.status[row]});
  return RequestOf([&](C::Column column) { return Text(row, column).toString(); }, typed);
}

std::optional<qint64> RequestListing::TransNum(int row) const {
  const qint64 number = row >= 0 && row < Rows() ? typed_.transNum.at(row) : NumberColumn::kNone;
  return number != NumberColumn::kNone ? std::optional(number) : std::nullopt;
}

int RequestListing::RowOf(qint64 transNum) const {
  for (int row = 0; row < Rows(); ++row)
    if (typed_.transNum.at(row) == transNum) return row;
  return -1;
}

ORSchedule RequestOfRecord(const platform::Recordset& record, const DayDurations* durations) {
  return RequestOf(
      [&](C::Column column) {
        const int field = column - C::kFirst;
        return field < record.FieldCount() ? record.Text(field) : QString();
      },
      RequestListing::ValuesOf(RequestListing::ReadRow(record, durations)));
}

}  // namespace session
