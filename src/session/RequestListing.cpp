#include "session/RequestListing.h"

#include "platform/RecordTable.h"

namespace session {

RequestListing::RequestListing()
    : RequestListing(QStringList(), std::make_shared<const platform::CellTexts>()) {}

RequestListing::RequestListing(QStringList headers,
                               std::shared_ptr<const platform::CellTexts> cells)
    : headers_(std::move(headers)),
      cells_(std::move(cells)),
      clashes_(cells_->rows(),
               [this](int row, RequestColumn::Column column) { return Text(row, column); }) {}

std::shared_ptr<const RequestListing> RequestListing::Read(platform::Recordset& records,
                                                           const RequestListing* like) {
  const platform::TableSize size =
      like ? platform::TableSize{like->Cols(), like->Rows(), like->cells_->textSize()}
           : platform::TableSize{};
  platform::RecordTable table = platform::ReadRecords(records, RequestColumn::kFirst, size);
  return std::shared_ptr<const RequestListing>(
      new RequestListing(std::move(table.headers),
                         std::make_shared<const platform::CellTexts>(std::move(table.cells))));
}

QStringView RequestListing::Text(int row, int col) const {
  const bool held = row >= 0 && row < Rows() && col >= 0 && col < Cols();
  return held ? cells_->at(row, col) : QStringView();
}

ORSchedule RequestListing::At(int row) const {
  return ORSchedule::FromCells(
      [&](RequestColumn::Column column) { return Text(row, column).toString(); });
}

std::shared_ptr<const RequestListing> RequestListing::WithText(int row, int col,
                                                               const QString& text) const {
  auto cells = std::make_shared<platform::CellTexts>(*cells_);
  cells->set(row, col, text);
  return std::shared_ptr<const RequestListing>(new RequestListing(headers_, std::move(cells)));
}

}  // namespace session
