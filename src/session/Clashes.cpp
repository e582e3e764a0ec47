#include "session/Clashes.h"

#include <algorithm>
#include <array>

#include "platform/Format.h"

namespace session {
namespace {

using C = RequestColumn;

struct Role {
  C::Column code;
  C::Column name;
  const char* word;
};

constexpr std::array<Role, 9> kRoles = {{
    {C::kSurgeonCode, C::kSurgeon, "surgeon"},
    {C::kSurgeon1Code, C::kSurgeon1, "assistant surgeon"},
    {C::kSurgeon2Code, C::kSurgeon2, "assistant surgeon"},
    {C::kAnesCode, C::kAnesthesiologist, "anesthesiologist"},
    {C::kAnes2Code, C::kAnes2, "assistant anesthesiologist"},
    {C::kAsstDocCode, C::kAsstDoc, "assistant doctor"},
    {C::kSNurseCode, C::kSNurse, "scrub nurse"},
    {C::kSNurse2Code, C::kSNurse2, "assistant scrub nurse"},
    {C::kCNurseCode, C::kCNurse, "circulating nurse"},
}};

constexpr int kMostDescribed = 8;

// Blanks around a value mean nothing. Inline, as it runs for every code of a long listing, and
// most values have none.
QStringView Trim(QStringView text) {
  while (!text.isEmpty() && text.front().isSpace())
    text = text.sliced(1);
  while (!text.isEmpty() && text.back().isSpace())
    text.chop(1);
  return text;
}

QString TimeText(qint64 minute) {
  const QTime time(int(minute % 1440 / 60), int(minute % 60));
  return platform::Format(platform::WallClock(platform::ZeroDate(), time),
                          QStringLiteral("h:mm AM/PM"));
}

}  // namespace

Clashes::Clashes(int rows, CellReader cell, StartReader start)
    : cell_(std::move(cell)), start_(std::move(start)), clashing_(rows, false) {
  // Sorted by start rather than gathered in a table of minutes: a long listing has many
  // minutes of a few requests each, and one sort costs less than a list per minute.
  std::vector<std::pair<qint64, int>> starts;
  starts.reserve(rows);
  for (int row = 0; row < rows; ++row) {
    const qint64 minute = start_(row);
    if (minute != kNoStart) starts.emplace_back(minute, row);
  }
  std::sort(starts.begin(), starts.end());
  byStart_.reserve(starts.size());
  for (const auto& start : starts)
    byStart_.push_back(start.second);
  for (int begin = 0, end = 0; begin < int(starts.size()); begin = end) {
    while (end < int(starts.size()) && starts[end].first == starts[begin].first)
      ++end;
    if (end - begin < 2) continue;
    FindInGroup({begin, end});
  }
}

// Marks every row of the group that shares its room or a person with another row of it. The
// group's keys are sorted so that equal ones stand together: for the few rows of a group that
// costs less than a table of them.
void Clashes::FindInGroup(const Group& group) {
  struct Key {
    bool person;  // rooms and people are told apart
    QStringView text;
    int row;
  };
  std::vector<Key> keys;
  keys.reserve(std::size_t(group.end - group.begin) * (1 + kRoles.size()));
  auto add = [&keys](bool person, QStringView text, int row) {
    if (!text.isEmpty()) keys.push_back({person, text, row});
  };
  for (int at = group.begin; at < group.end; ++at) {
    const int row = byStart_[at];
    add(false, Trim(cell_(row, C::kORRoomCode)), row);
    for (const Role& role : kRoles)
      add(true, Trim(cell_(row, role.code)), row);
  }
  const auto sameKey = [](const Key& a, const Key& b) {
    return a.person == b.person && a.text == b.text;
  };
  std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    return a.person != b.person ? b.person : a.text < b.text;
  });
  for (auto first = keys.begin(); first != keys.end();) {
    const auto last =
        std::find_if_not(first, keys.end(), [&](const Key& key) { return sameKey(key, *first); });
    if (std::any_of(first, last, [&](const Key& key) { return key.row != first->row; }))
      for (auto key = first; key != last; ++key)
        clashing_[key->row] = any_ = true;
    first = last;
  }
}

QStringList Clashes::Describe(int row) const {
  QStringList said;
  if (!clashing_[row]) return said;
  const QString at = TimeText(start_(row));
  const QStringView room = Trim(cell_(row, C::kORRoomCode));
  int more = 0;
  auto say = [&](const QString& text) {
    if (said.size() < kMostDescribed)
      said << text;
    else
      ++more;
  };
  // The rows starting at its minute, found again rather than kept for every row of the listing.
  const qint64 minute = start_(row);
  const auto first = std::lower_bound(byStart_.begin(), byStart_.end(), minute,
                                      [this](int r, qint64 m) { return start_(r) < m; });
  const auto last = std::upper_bound(first, byStart_.end(), minute,
                                     [this](qint64 m, int r) { return m < start_(r); });
  for (auto i = first; i != last; ++i) {
    const int other = *i;
    if (other == row) continue;
    const QString patient = Trim(cell_(other, C::kPatientName)).toString();
    if (!room.isEmpty() && Trim(cell_(other, C::kORRoomCode)) == room)
      say(QStringLiteral("Same OR room (%1) at %2 as %3").arg(room.toString(), at, patient));
    for (const Role& role : kRoles) {
      const QStringView code = Trim(cell_(row, role.code));
      if (code.isEmpty()) continue;
      const bool shared = std::any_of(kRoles.begin(), kRoles.end(), [&](const Role& theirs) {
        return Trim(cell_(other, theirs.code)) == code;
      });
      if (shared)
        say(QStringLiteral("%1 (%2) also on %3 at %4")
                .arg(Trim(cell_(row, role.name)).toString(), QLatin1String(role.word), patient,
                     at));
    }
  }
  if (more > 0) said << QStringLiteral("and %1 more").arg(more);
  return said;
}

}  // namespace session
