#include "session/RequestListing.h"

#include "platform/Connection.h"
#include "platform/RecordTable.h"
#include "platform/WallSeconds.h"

namespace session {
namespace {

using C = RequestColumn;
using platform::NumberColumn;
static_assert(platform::kNoWallSeconds == NumberColumn::kNone);

constexpr qint64 kSecondsPerMinute = 60;

// A number as the server gave it: an integer, or text holding one between blanks.
qint64 NumberOf(const QVariant& value) {
  bool ok = false;
  const qint64 number = value.typeId() == QMetaType::QString
                            ? value.toString().trimmed().toLongLong(&ok)
                            : value.toLongLong(&ok);
  return !value.isNull() && ok ? number : NumberColumn::kNone;
}

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
          [this](int row) { return ClashStart(row); }) {}

qint64 RequestListing::ClashStart(int row) const {
  const qint64 start = typed_.operation.at(row);
  const bool takesPart =
      typed_.status[row] != RequestStatus::Revoked && start != NumberColumn::kNone;
  return takesPart ? start / kSecondsPerMinute : Clashes::kNoStart;
}

// A typed value changed, as WithText changes its text.
void RequestListing::SetTyped(Typed& typed, int row, int col, const QVariant& value) {
  switch (col) {
    case C::kOperationDate:
      return typed.operation.set(row, platform::WallSecondsOf(value));
    case C::kDateConfirmed:
      return typed.confirmed.set(row, platform::WallSecondsOf(value));
    case C::kDateRevoked:
      return typed.revoked.set(row, platform::WallSecondsOf(value));
    case C::kTransNum:
      return typed.transNum.set(row, NumberOf(value));
    case C::kStatus:
      typed.status[row] = StatusOf(value.toString());
      return;
    default:
      return;
  }
}

// A row with every typed value of the record: none where the record lacks the field.
void RequestListing::AppendTyped(Typed& typed, const platform::Recordset& record) {
  const auto value = [&](C::Column column) {
    const int field = column - C::kFirst;
    return field < record.FieldCount() ? record.Value(field) : QVariant();
  };
  typed.operation.append(platform::WallSecondsOf(value(C::kOperationDate)));
  typed.transNum.append(NumberOf(value(C::kTransNum)));
  typed.confirmed.append(platform::WallSecondsOf(value(C::kDateConfirmed)));
  typed.revoked.append(platform::WallSecondsOf(value(C::kDateRevoked)));
  typed.status.push_back(StatusOf(value(C::kStatus).toString()));
}

std::shared_ptr<const RequestListing> RequestListing::Read(platform::Recordset& records,
                                                           const RequestListing* like) {
  const platform::TableSize size =
      like ? platform::TableSize{like->Cols(), like->Rows(), like->cells_->textSize()}
           : platform::TableSize{};
  Typed typed;
  if (like) {
    typed.operation.reserve(like->Rows());
    typed.transNum.reserve(like->Rows());
    typed.status.reserve(like->Rows());
  }
  platform::RecordTable table = platform::ReadRecords(
      records, C::kFirst, size,
      [&typed](const platform::Recordset& record) { AppendTyped(typed, record); });
  typed.operation.squeeze();
  typed.transNum.squeeze();
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
  ORSchedule request = ORSchedule::FromCells(
      [&](RequestColumn::Column column) { return Text(row, column).toString(); });
  if (row < 0 || row >= Rows()) return request;
  request.operationAt = platform::FromWallSeconds(typed_.operation.at(row));
  request.statusCode = typed_.status[row];
  if (typed_.transNum.at(row) != NumberColumn::kNone) request.transNumber = typed_.transNum.at(row);
  request.confirmedAt = platform::FromWallSeconds(typed_.confirmed.at(row));
  request.revokedAt = platform::FromWallSeconds(typed_.revoked.at(row));
  return request;
}

int RequestListing::RowOf(qint64 transNum) const {
  for (int row = 0; row < Rows(); ++row)
    if (typed_.transNum.at(row) == transNum) return row;
  return -1;
}

std::shared_ptr<const RequestListing> RequestListing::WithText(int row, int col,
                                                               const QString& text) const {
  auto cells = std::make_shared<platform::CellTexts>(*cells_);
  cells->set(row, col, text);
  Typed typed = typed_;
  SetTyped(typed, row, col, QVariant(text));
  return std::shared_ptr<const RequestListing>(
      new RequestListing(headers_, std::move(cells), std::move(typed)));
}

ORSchedule RequestOfRecord(const platform::Recordset& record) {
  const auto value = [&](C::Column column) {
    const int field = column - C::kFirst;
    return field < record.FieldCount() ? record.Value(field) : QVariant();
  };
  ORSchedule request = ORSchedule::FromCells([&](C::Column column) {
    const int field = column - C::kFirst;
    return field < record.FieldCount() ? record.Text(field) : QString();
  });
  const auto when = [&](C::Column column) {
    return platform::FromWallSeconds(platform::WallSecondsOf(value(column)));
  };
  request.operationAt = when(C::kOperationDate);
  request.confirmedAt = when(C::kDateConfirmed);
  request.revokedAt = when(C::kDateRevoked);
  request.statusCode = StatusOf(value(C::kStatus).toString());
  if (const qint64 number = NumberOf(value(C::kTransNum)); number != NumberColumn::kNone)
    request.transNumber = number;
  return request;
}

}  // namespace session
