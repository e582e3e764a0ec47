// What the scripts must do as scripts, beside what the client reads from them: who acted is
// enforced by the server, the day's listings bound their dates so that the optimizer sees one
// day, and a site can run them safely (server version first, a planned stop that is no error,
// each object marked once made, every object adoptable, no sqlcmd value put into a text).
#include "tools/ScriptRules.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <optional>

namespace tools {
namespace {

using hospitaldb::SqlToken;
using Tokens = std::vector<SqlToken>;

// The helpers of the scripts' guard and mark, made before the guard exists.
const QStringList kHelpers = {QStringLiteral("fnORSitesOwn"), QStringLiteral("sp_MarkORObject")};

bool IsWord(const Tokens& t, size_t at, QLatin1String word) {
  return at < t.size() && t[at].kind == SqlToken::Kind::Word &&
         t[at].text.compare(word, Qt::CaseInsensitive) == 0;
}

bool HasWord(const Tokens& t, QLatin1String word) {
  for (size_t i = 0; i < t.size(); ++i)
    if (IsWord(t, i, word)) return true;
  return false;
}

bool HasLiteral(const Tokens& t, const QString& text) {
  return std::any_of(t.begin(), t.end(), [&](const SqlToken& token) {
    return token.kind == SqlToken::Kind::Literal &&
           token.text.compare(text, Qt::CaseInsensitive) == 0;
  });
}

// The object a batch makes with CREATE [OR ALTER] PROCEDURE, FUNCTION or TRIGGER; empty for
// another batch.
QString MadeObject(const Tokens& t) {
  size_t at = IsWord(t, 0, QLatin1String("CREATE")) ? 1 : t.size();
  if (IsWord(t, at, QLatin1String("OR")) && IsWord(t, at + 1, QLatin1String("ALTER"))) at += 2;
  if (!IsWord(t, at, QLatin1String("PROCEDURE")) && !IsWord(t, at, QLatin1String("FUNCTION")) &&
      !IsWord(t, at, QLatin1String("TRIGGER")))
    return QString();
  QString name = at + 1 < t.size() ? t[at + 1].text : QString();
  for (at += 2; at + 1 < t.size() && t[at].text == u'.'; at += 2)  // dbo.Name: its last part
    name = t[at + 1].text;
  return name;
}

// The severity a RAISERROR at `at` raises at: the number after its message.
int Severity(const Tokens& t, size_t at) {
  int depth = 0;
  for (size_t i = at + 1; i + 1 < t.size(); ++i) {
    depth += t[i].text == u'(' ? 1 : t[i].text == u')' ? -1 : 0;
    if (depth == 1 && t[i].text == u',') return t[i + 1].text.toInt();
  }
  return 0;
}

class Rules {
 public:
  explicit Rules(const TsqlScripts& scripts) : scripts_(scripts), batches_(scripts.batches()) {}

  // A trigger of the requests table refuses any code of who acted but the login's employee,
  // under the explicit setting, whichever procedure writes.
  void checkWhoActed() {
    static const char* const kNeeded[] = {"ORIGINAL_LOGIN", "tbORSetting", "EnforceLoginEmployee",
                                          "EncodedBy",      "UpdatedBy",   "ConfirmedByCode",
                                          "RevokedByCode",  "THROW"};
    std::optional<QStringList> best;  // what the closest trigger lacks
    for (const TsqlTrigger& trigger : scripts_.triggers()) {
      if (trigger.table.compare(QLatin1String("tbORSchedule"), Qt::CaseInsensitive) != 0 ||
          !trigger.events.contains(QLatin1String("INSERT")) ||
          !trigger.events.contains(QLatin1String("UPDATE")))
        continue;
      const QString body = trigger.statements.join(u' ');
      QStringList missing;
      for (const char* word : kNeeded)
        if (!body.contains(QLatin1String(word), Qt::CaseInsensitive))
          missing << QLatin1String(word);
      if (!best || missing.size() < best->size()) best = missing;
    }
    if (!best) best = QStringList{QStringLiteral("AFTER INSERT, UPDATE")};
    if (!best->isEmpty())
      fail(QStringLiteral("the server does not refuse another employee's code in tbORSchedule, "
                          "whichever procedure writes: its trigger lacks %1")
               .arg(best->join(QStringLiteral(", "))));
  }

  // A date bound of a local variable is a guess to the optimizer (a tenth of the table, past
  // the point where it seeks); one of a parameter or of GETDATE() it reads when it compiles.
  void checkDateBounds() {
    static const QRegularExpression bound(QStringLiteral("OperationDate [<>](?: =)? (@\\w+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    for (const TsqlProcedure& p : scripts_.procedures())
      for (auto m = bound.globalMatch(p.statements.join(u' ')); m.hasNext();) {
        const QString variable = m.next().captured(1);
        if (std::none_of(p.parameters.begin(), p.parameters.end(), [&](const TsqlColumn& c) {
              return c.name.compare(variable, Qt::CaseInsensitive) == 0;
            }))
          fail(QStringLiteral("%1 bounds OperationDate by the local variable %2, whose value the "
                              "optimizer cannot see: bound it by an expression of a parameter")
                   .arg(p.name, variable));
      }
  }

  // Nothing is made before the server is known to take CREATE OR ALTER (2016 SP1).
  void checkVersionFirst() {
    for (const TsqlBatch& batch : batches_) {
      if (HasWord(batch.tokens, QLatin1String("SERVERPROPERTY")) &&
          HasLiteral(batch.tokens, QStringLiteral("ProductVersion")))
        return;
      if (const QString made = MadeObject(batch.tokens); !made.isEmpty())
        return fail(QStringLiteral("%1 makes %2 before it checks the server's version (CREATE OR "
                                   "ALTER needs SQL Server 2016 SP1)")
                        .arg(Origin(batch), made));
    }
  }

  // The stop at a site's own object is planned: said, not raised (sqlcmd -b would exit 1), and
  // every script that may stop turns NOEXEC off again at its end.
  void checkPlannedStops() {
    QMap<QString, bool> noexecLeftOn;
    for (const TsqlBatch& batch : batches_) {
      const Tokens& t = batch.tokens;
      for (size_t i = 0; i + 2 < t.size(); ++i) {
        if (IsWord(t, i, QLatin1String("RAISERROR")) && Severity(t, i) > 10 &&
            !HasWord(t, QLatin1String("SERVERPROPERTY")))
          fail(QStringLiteral("%1: a planned stop is raised as an error, which ends sqlcmd -b "
                              "with 1 (only a server that cannot take the scripts is one): PRINT "
                              "it")
                   .arg(Origin(batch)));
        if (IsWord(t, i, QLatin1String("SET")) && IsWord(t, i + 1, QLatin1String("NOEXEC")))
          noexecLeftOn[Origin(batch)] = IsWord(t, i + 2, QLatin1String("ON"));
      }
    }
    for (auto it = noexecLeftOn.begin(); it != noexecLeftOn.end(); ++it)
      if (it.value())
        fail(QStringLiteral("%1 may end with NOEXEC on: end it with SET NOEXEC OFF").arg(it.key()));
  }

  // A value sqlcmd puts into a text as it is given breaks the statement at an apostrophe, or
  // lets the value write statements of its own.
  void checkNoValueInText() {
    for (const TsqlBatch& batch : batches_)
      for (const SqlToken& token : batch.tokens)
        if (token.kind == SqlToken::Kind::Literal && token.text.contains(QLatin1String("$(")))
          fail(QStringLiteral("%1 puts a sqlcmd value into the text '%2': take it as a parameter")
                   .arg(Origin(batch), token.text));
  }

  // Each object is made only after the batch that stops at a site's own of its name, and marked
  // by a later one, so that a run of the scripts replaces it; an earlier run's is adoptable.
  void checkGuardsAndMarks() {
    QSet<QString> adoptable;
    bool adoptScript = false;
    for (const TsqlBatch& batch : batches_) {
      if (!Origin(batch).startsWith(QLatin1String("08-"))) continue;
      adoptScript = true;
      for (const SqlToken& token : batch.tokens)
        if (token.kind == SqlToken::Kind::Literal) adoptable << token.text.toLower();
    }
    for (size_t b = 0; b < batches_.size(); ++b) {
      const QString made = MadeObject(batches_[b].tokens);
      if (made.isEmpty()) continue;
      const bool guarded = b > 0 && HasLiteral(batches_[b - 1].tokens, made);
      const bool marked = std::any_of(batches_.begin() + b + 1, batches_.end(), [&](const auto& m) {
        return m.origin == batches_[b].origin &&
               HasWord(m.tokens, QLatin1String("sp_MarkORObject")) && HasLiteral(m.tokens, made);
      });
      if (!guarded && made != kHelpers.first())
        fail(QStringLiteral("%1 makes %2 without first stopping at a site's own of its name")
                 .arg(Origin(batches_[b]), made));
      if (!marked)
        fail(QStringLiteral("%1 makes %2 without marking it").arg(Origin(batches_[b]), made));
      if (adoptScript && !kHelpers.contains(made) && !adoptable.contains(made.toLower()))
        fail(QStringLiteral("08-adopt-objects.sql does not adopt %1").arg(made));
    }
  }

  QStringList problems;

 private:
  void fail(const QString& problem) { problems << problem; }
  static QString Origin(const TsqlBatch& batch) { return QFileInfo(batch.origin).fileName(); }

  const TsqlScripts& scripts_;
  const std::vector<TsqlBatch>& batches_;
};

}  // namespace

QStringList ScriptRuleProblems(const TsqlScripts& scripts) {
  Rules rules(scripts);
  rules.checkWhoActed();
  rules.checkDateBounds();
  rules.checkVersionFirst();
  rules.checkPlannedStops();
  rules.checkNoValueInText();
  rules.checkGuardsAndMarks();
  return rules.problems;
}

}  // namespace tools
