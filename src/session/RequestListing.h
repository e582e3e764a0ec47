#pragma once

#include <QStringList>
#include <QStringView>
#include <memory>

#include "platform/CellTexts.h"
#include "session/Clashes.h"
#include "session/ORSchedule.h"

namespace platform {
class Recordset;
}

namespace session {

// The requests of one listed date, as the server returned them and in its order, every field
// as text. Column 0 is the list's selector column and holds nothing; columns 1 to 31 are the
// fields of a request (RequestColumn), under the field names the server gave them. A listing
// never changes once read: the request list shows it and the features read it, all sharing the
// one copy of its texts.
class RequestListing {
 public:
  // No requests and no columns.
  RequestListing();
  RequestListing(const RequestListing&) = delete;
  RequestListing& operator=(const RequestListing&) = delete;

  // Reads the recordset to its end. Throws platform::TooManyRowsError when it holds more
  // requests than the list can show; `like`, the listing it replaces, sizes the buffers.
  static std::shared_ptr<const RequestListing> Read(platform::Recordset& records,
                                                    const RequestListing* like = nullptr);

  int Rows() const { return cells_->rows(); }
  int Cols() const { return cells_->cols(); }
  const QStringList& Headers() const { return headers_; }
  // A cell of request `row` (0-based); empty for a request or column the listing lacks.
  QStringView Text(int row, int col) const;
  ORSchedule At(int row) const;
  const Clashes& clashes() const { return clashes_; }
  // The texts, to be shown as they are.
  const std::shared_ptr<const platform::CellTexts>& Cells() const { return cells_; }

  // This listing with one cell changed, as a list holding an older copy of a request would
  // show it.
  std::shared_ptr<const RequestListing> WithText(int row, int col, const QString& text) const;

 private:
  RequestListing(QStringList headers, std::shared_ptr<const platform::CellTexts> cells);

  QStringList headers_;
  std::shared_ptr<const platform::CellTexts> cells_;
  Clashes clashes_;
};

}  // namespace session
