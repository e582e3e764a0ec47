#include "platform/NumberColumn.h"

#include <algorithm>

namespace platform {
namespace {

// Values this far from zero are always a safe distance apart.
constexpr qint64 kSafe = qint64(1) << 62;

template <class Far>
auto FarOf(Far& far, int row) {
  return std::lower_bound(far.begin(), far.end(), row,
                          [](const std::pair<int, qint64>& f, int r) { return f.first < r; });
}

}  // namespace

void NumberColumn::reserve(int rows) {
  if (kind_ == Kind::Dense) near_.reserve(rows);
}

// The four bytes that stand for the value in a dense column.
qint32 NumberColumn::nearOf(qint64 value) const {
  if (value == kNone) return kNoneNear;
  if (value <= -kSafe || value >= kSafe || base_ <= -kSafe || base_ >= kSafe) return kFarNear;
  const qint64 distance = value - base_;
  const bool near = distance > kFarNear && distance <= std::numeric_limits<qint32>::max();
  return near ? qint32(distance) : kFarNear;
}

void NumberColumn::append(qint64 value) {
  const int row = rows_++;
  if (kind_ == Kind::Sparse) {
    if (value != kNone) far_.emplace_back(row, value);
    return;
  }
  if (base_ == kNone) base_ = value;
  const qint32 near = nearOf(value);
  near_.push_back(near);
  if (near == kFarNear) far_.emplace_back(row, value);
}

qint64 NumberColumn::at(int row) const {
  if (kind_ == Kind::Dense && near_[row] != kFarNear)
    return near_[row] == kNoneNear ? kNone : base_ + near_[row];
  const auto far = FarOf(far_, row);
  return far != far_.end() && far->first == row ? far->second : kNone;
}

void NumberColumn::set(int row, qint64 value) {
  const auto far = FarOf(far_, row);
  const bool held = far != far_.end() && far->first == row;
  if (kind_ == Kind::Dense) {
    if (base_ == kNone) base_ = value;
    near_[row] = nearOf(value);
    if (near_[row] != kFarNear) {
      if (held) far_.erase(far);
      return;
    }
  } else if (value == kNone) {
    if (held) far_.erase(far);
    return;
  }
  if (held)
    far->second = value;
  else
    far_.insert(far, {row, value});
}

void NumberColumn::squeeze() {
  near_.shrink_to_fit();
  far_.shrink_to_fit();
}

qint64 NumberOf(const QVariant& value) {
  bool ok = false;
  const qint64 number = value.typeId() == QMetaType::QString
                            ? value.toString().trimmed().toLongLong(&ok)
                            : value.toLongLong(&ok);
  return !value.isNull() && ok ? number : NumberColumn::kNone;
}

}  // namespace platform
