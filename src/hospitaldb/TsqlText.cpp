#include "hospitaldb/TsqlText.h"

#include <algorithm>
#include <vector>

namespace hospitaldb {
namespace {

QStringView WithoutTrailingBlanks(QStringView text) {
  qsizetype end = text.size();
  while (end > 0 && text[end - 1] == u' ')
    --end;
  return text.left(end);
}

QChar Folded(QChar ch) {
  return ch.toCaseFolded();
}

bool SameLetter(QChar a, QChar b) {
  return Folded(a) == Folded(b);
}

// Matches one character against the set starting after '[' at `open`; returns the index
// just past the closing ']', or -1 when the set is not closed.
qsizetype MatchSet(QStringView pattern, qsizetype open, QChar ch, bool& matched) {
  qsizetype at = open + 1;
  const bool negated = at < pattern.size() && pattern[at] == u'^';
  if (negated) ++at;
  bool inSet = false;
  const QChar folded = Folded(ch);
  for (bool firstInSet = true; at < pattern.size(); firstInSet = false) {
    if (pattern[at] == u']' && !firstInSet) {
      matched = inSet != negated;
      return at + 1;
    }
    const QChar low = Folded(pattern[at]);
    if (at + 2 < pattern.size() && pattern[at + 1] == u'-' && pattern[at + 2] != u']') {
      const QChar high = Folded(pattern[at + 2]);
      if (low <= folded && folded <= high) inSet = true;
      at += 3;
    } else {
      if (low == folded) inSet = true;
      ++at;
    }
  }
  return -1;
}

// One step of a LIKE pattern: '%' (any run), '_' (any one character), a set, or a character.
struct LikeStep {
  enum class Kind { AnyRun, AnyOne, Set, Letter } kind;
  qsizetype at;  // where it stands in the pattern
};

std::vector<LikeStep> ReadLikePattern(QStringView pattern) {
  std::vector<LikeStep> steps;
  for (qsizetype p = 0; p < pattern.size();) {
    const QChar token = pattern[p];
    if (token == u'%') {
      if (steps.empty() || steps.back().kind != LikeStep::Kind::AnyRun)
        steps.push_back({LikeStep::Kind::AnyRun, p});
      ++p;
      continue;
    }
    if (token == u'[') {
      bool unused = false;
      const qsizetype next = MatchSet(pattern, p, QChar(u' '), unused);
      if (next >= 0) {
        steps.push_back({LikeStep::Kind::Set, p});
        p = next;
        continue;
      }
    }
    steps.push_back({token == u'_' ? LikeStep::Kind::AnyOne : LikeStep::Kind::Letter, p});
    ++p;
  }
  return steps;
}

bool StepTakes(const LikeStep& step, QStringView pattern, QChar ch) {
  switch (step.kind) {
    case LikeStep::Kind::AnyOne:
      return true;
    case LikeStep::Kind::Set: {
      bool matched = false;
      MatchSet(pattern, step.at, ch, matched);
      return matched;
    }
    case LikeStep::Kind::Letter:
      return SameLetter(pattern[step.at], ch);
    case LikeStep::Kind::AnyRun:
      break;
  }
  return false;
}

// Follows every way through the pattern at once, step by step, keeping the positions of the
// value reachable so far: time grows with the pattern's length times the value's, however many
// '%' the pattern holds (trying each '%' in turn grew exponentially with them).
bool Like(QStringView value, QStringView pattern) {
  std::vector<char> reach(value.size() + 1, 0), next(value.size() + 1, 0);
  reach[0] = 1;
  for (const LikeStep& step : ReadLikePattern(pattern)) {
    std::fill(next.begin(), next.end(), 0);
    if (step.kind == LikeStep::Kind::AnyRun) {
      char any = 0;
      for (std::size_t v = 0; v < reach.size(); ++v)
        next[v] = any = char(any | reach[v]);
    } else {
      for (qsizetype v = 0; v < value.size(); ++v)
        if (reach[v] && StepTakes(step, pattern, value[v])) next[v + 1] = 1;
    }
    reach.swap(next);
  }
  return reach.back() != 0;
}

}  // namespace

int TsqlCompare(QStringView left, QStringView right) {
  return WithoutTrailingBlanks(left).compare(WithoutTrailingBlanks(right), Qt::CaseInsensitive);
}

bool TsqlLike(QStringView value, QStringView pattern) {
  return Like(WithoutTrailingBlanks(value), WithoutTrailingBlanks(pattern));
}

}  // namespace hospitaldb
