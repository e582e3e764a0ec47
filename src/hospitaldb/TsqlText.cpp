#include "hospitaldb/TsqlText.h"

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

bool LikeFrom(QStringView value, qsizetype v, QStringView pattern, qsizetype p) {
  while (p < pattern.size()) {
    const QChar token = pattern[p];
    if (token == u'%') {
      while (p < pattern.size() && pattern[p] == u'%')
        ++p;
      if (p == pattern.size()) return true;
      for (qsizetype from = v; from <= value.size(); ++from)
        if (LikeFrom(value, from, pattern, p)) return true;
      return false;
    }
    if (v == value.size()) return false;
    if (token == u'[') {
      bool matched = false;
      const qsizetype next = MatchSet(pattern, p, value[v], matched);
      if (next >= 0) {
        if (!matched) return false;
        p = next;
        ++v;
        continue;
      }
    }
    if (token != u'_' && !SameLetter(token, value[v])) return false;
    ++p;
    ++v;
  }
  return v == value.size();
}

}  // namespace

int TsqlCompare(QStringView left, QStringView right) {
  return WithoutTrailingBlanks(left).compare(WithoutTrailingBlanks(right), Qt::CaseInsensitive);
}

bool TsqlLike(QStringView value, QStringView pattern) {
  return LikeFrom(WithoutTrailingBlanks(value), 0, WithoutTrailingBlanks(pattern), 0);
}

}  // namespace hospitaldb
