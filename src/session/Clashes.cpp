#include "session/Clashes.h"

#include <QHash>
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

// "from 7:00 AM to 9:00 AM", or "at 7:00 AM" where the end is not known.
QString SpanText(const Clashes::Span& span) {
  return span.endKnown
             ? QStringLiteral("from %1 to %2").arg(TimeText(span.start), TimeText(span.end))
             : QStringLiteral("at %1").arg(TimeText(span.start));
}

}  // namespace

Clashes::Clashes(int rows, CellReader cell, SpanReader span)
    : cell_(std::move(cell)), span_(std::move(span)), clashing_(rows, false) {
  std::vector<std::pair<qint64, int>> starts;
  starts.reserve(rows);
  for (int row = 0; row < rows; ++row) {
    const Span span = span_(row);
    if (span.start == kNoStart) continue;
    starts.emplace_back(span.start, row);
    longest_ = std::max(longest_, span.end - span.start);
  }
  std::sort(starts.begin(), starts.end());
  byStart_.reserve(starts.size());
  for (const auto& start : starts)
    byStart_.push_back(start.second);
  Sweep();
}

// The requests in the order of their starts, once: each room and each person keeps the request
// of the latest end met so far, and a request that starts before that end overlaps it. Every
// overlapping pair is marked so: of two requests sharing a key, the later one starts before the
// end kept when it is met, and the one kept then overlaps it too. Keys are told apart by a
// table of the texts met, not by sorting them: a long listing has many of each.
void Clashes::Sweep() {
  struct Latest {
    qint64 end = kNoStart;
    int row = -1;
  };
  std::vector<Latest> latest;
  QHash<QStringView, int> rooms, people;  // each key's place in `latest`
  const auto meet = [&](QHash<QStringView, int>& keys, QStringView key, int row, const Span& span) {
    if (key.isEmpty()) return;
    auto found = keys.constFind(key);
    if (found == keys.cend()) {
      found = keys.insert(key, int(latest.size()));
      latest.emplace_back();
    }
    Latest& kept = latest[*found];
    if (kept.row != row && span.start < kept.end)
      clashing_[row] = clashing_[kept.row] = any_ = true;
    if (span.end > kept.end) kept = {span.end, row};
  };
  for (const int row : byStart_) {
    const Span span = span_(row);
    meet(rooms, Trim(cell_(row, C::kORRoomCode)), row, span);
    for (const Role& role : kRoles)
      meet(people, Trim(cell_(row, role.code)), row, span);
  }
}

QStringList Clashes::Describe(int row) const {
  QStringList said;
  if (!clashing_[row]) return said;
  const Span mine = span_(row);
  const QString mineText = SpanText(mine);
  const QStringView room = Trim(cell_(row, C::kORRoomCode));
  std::array<QStringView, kRoles.size()> myCodes, theirCodes;
  for (std::size_t i = 0; i < kRoles.size(); ++i)
    myCodes[i] = Trim(cell_(row, kRoles[i].code));
  int more = 0;
  // A clash past the ones described is counted, not worded.
  const auto counted = [&] {
    if (said.size() < kMostDescribed) return false;
    ++more;
    return true;
  };
  // The rows that start before its end and no longer than the listing's longest span before its
  // start, found again rather than kept for every row of the listing.
  const auto startingBefore = [this](qint64 minute) {
    return std::lower_bound(byStart_.begin(), byStart_.end(), minute,
                            [this](int r, qint64 m) { return span_(r).start < m; });
  };
  const auto last = startingBefore(mine.end);
  for (auto i = startingBefore(mine.start - longest_); i != last; ++i) {
    const int other = *i;
    const Span theirs = span_(other);
    if (other == row || theirs.end <= mine.start) continue;
    for (std::size_t k = 0; k < kRoles.size(); ++k)
      theirCodes[k] = Trim(cell_(other, kRoles[k].code));
    QString patient, theirsText;  // made once something is said
    const auto about = [&] {
      if (theirsText.isEmpty()) {
        patient = Trim(cell_(other, C::kPatientName)).toString();
        theirsText = SpanText(theirs);
      }
    };
    if (!room.isEmpty() && Trim(cell_(other, C::kORRoomCode)) == room && !counted()) {
      about();
      said << QStringLiteral("%1 %2 overlaps %3 %4")
                  .arg(room.toString(), mineText, patient, theirsText);
    }
    for (std::size_t k = 0; k < kRoles.size(); ++k) {
      if (myCodes[k].isEmpty() ||
          std::find(theirCodes.begin(), theirCodes.end(), myCodes[k]) == theirCodes.end() ||
          counted())
        continue;
      about();
      said << QStringLiteral("%1 (%2) %3 is also on %4 %5")
                  .arg(Trim(cell_(row, kRoles[k].name)).toString(), QLatin1String(kRoles[k].word),
                       mineText, patient, theirsText);
    }
  }
  if (more > 0) said << QStringLiteral("and %1 more").arg(more);
  return said;
}

}  // namespace session
