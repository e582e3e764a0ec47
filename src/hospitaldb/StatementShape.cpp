#include "hospitaldb/StatementShape.h"

#include "platform/Errors.h"

namespace hospitaldb {
namespace {

bool IsWordChar(QChar ch) {
  return ch.isLetterOrNumber() || ch == u'_' || ch == u'@' || ch == u'#' || ch == u'$';
}

class Tokenizer {
 public:
  explicit Tokenizer(const QString& sql) : sql_(sql) {}

  std::vector<SqlToken> run() {
    while (at_ < sql_.size()) {
      const QChar ch = sql_[at_];
      if (ch.isSpace())
        ++at_;
      else if (ch == u'\'')
        literal();
      else if (ch == u'[')
        bracketed();
      else if (IsWordChar(ch))
        word();
      else
        symbol(ch);
    }
    return std::move(tokens_);
  }

 private:
  void literal() {
    const qsizetype start = ++at_;
    QString value;
    while (at_ < sql_.size()) {
      if (sql_[at_] != u'\'') {
        value += sql_[at_++];
      } else if (at_ + 1 < sql_.size() && sql_[at_ + 1] == u'\'') {
        value += u'\'';
        at_ += 2;
      } else {
        ++at_;
        tokens_.push_back({SqlToken::Kind::Literal, value});
        return;
      }
    }
    throw platform::DatabaseError(
        QStringLiteral("Unclosed quotation mark after the character string '%1'.")
            .arg(sql_.mid(start)));
  }

  // [OR STAFF]: one name, blanks included; "]]" stands for "]".
  void bracketed() {
    QString text(u'[');
    ++at_;
    while (at_ < sql_.size()) {
      if (sql_[at_] == u']' && at_ + 1 < sql_.size() && sql_[at_ + 1] == u']') {
        text += u']';
        at_ += 2;
      } else if (sql_[at_] == u']') {
        ++at_;
        tokens_.push_back({SqlToken::Kind::Word, text + u']'});
        return;
      } else {
        text += sql_[at_++];
      }
    }
    throw platform::DatabaseError(
        QStringLiteral("Unclosed quotation mark after the object name '%1'.").arg(text.mid(1)));
  }

  void word() {
    const qsizetype start = at_;
    while (at_ < sql_.size() && IsWordChar(sql_[at_]))
      ++at_;
    const QString text = sql_.mid(start, at_ - start);
    // N'...' is a Unicode literal: the same value for this database.
    if (text.compare(QLatin1String("N"), Qt::CaseInsensitive) == 0 && at_ < sql_.size() &&
        sql_[at_] == u'\'')
      return;
    tokens_.push_back({SqlToken::Kind::Word, text});
  }

  void symbol(QChar ch) {
    ++at_;
    tokens_.push_back({ch == u'?' ? SqlToken::Kind::Parameter : SqlToken::Kind::Symbol, ch});
  }

  const QString& sql_;
  qsizetype at_ = 0;
  std::vector<SqlToken> tokens_;
};

// Words that begin a statement other than a procedure call.
bool IsStatementKeyword(const QString& word) {
  static const QStringList keywords = {
      QStringLiteral("select"), QStringLiteral("insert"),   QStringLiteral("update"),
      QStringLiteral("delete"), QStringLiteral("drop"),     QStringLiteral("create"),
      QStringLiteral("alter"),  QStringLiteral("truncate"), QStringLiteral("with"),
      QStringLiteral("set"),    QStringLiteral("declare"),  QStringLiteral("begin"),
      QStringLiteral("if"),     QStringLiteral("use"),      QStringLiteral("merge")};
  return keywords.contains(word, Qt::CaseInsensitive);
}

bool SameToken(const SqlToken& token, const SqlToken& expected) {
  if (token.kind != expected.kind) return false;
  if (token.kind == SqlToken::Kind::Word)
    return token.text.compare(expected.text, Qt::CaseInsensitive) == 0;
  return token.text == expected.text;
}

bool IsSymbol(const SqlToken& token, QChar ch) {
  return token.kind == SqlToken::Kind::Symbol && token.text == ch;
}

}  // namespace

std::vector<SqlToken> TokenizeSql(const QString& sql) {
  return Tokenizer(sql).run();
}

std::optional<QStringList> MatchShape(const std::vector<SqlToken>& statement,
                                      const std::vector<SqlToken>& shape) {
  if (statement.size() != shape.size()) return std::nullopt;
  QStringList values;
  for (size_t i = 0; i < shape.size(); ++i) {
    if (shape[i].kind == SqlToken::Kind::Parameter) {
      if (statement[i].kind != SqlToken::Kind::Literal) return std::nullopt;
      values << statement[i].text;
    } else if (!SameToken(statement[i], shape[i])) {
      return std::nullopt;
    }
  }
  return values;
}

void DropLeadingExec(std::vector<SqlToken>& statement) {
  if (!statement.empty() && statement.front().kind == SqlToken::Kind::Word &&
      (statement.front().text.compare(QLatin1String("exec"), Qt::CaseInsensitive) == 0 ||
       statement.front().text.compare(QLatin1String("execute"), Qt::CaseInsensitive) == 0))
    statement.erase(statement.begin());
}

std::optional<ProcedureCall> ReadProcedureCall(const std::vector<SqlToken>& statement) {
  size_t at = 0;
  if (at >= statement.size() || statement[at].kind != SqlToken::Kind::Word ||
      IsStatementKeyword(statement[at].text))
    return std::nullopt;
  ProcedureCall call;
  // A multi-part name: words joined by dots, parts may be empty ("db..name").
  while (at < statement.size() &&
         (statement[at].kind == SqlToken::Kind::Word || IsSymbol(statement[at], u'.'))) {
    call.name += statement[at].text;
    if (statement[at].kind == SqlToken::Kind::Word) call.baseName = statement[at].text;
    ++at;
    if (at < statement.size() && statement[at].kind == SqlToken::Kind::Word &&
        statement[at - 1].kind == SqlToken::Kind::Word)
      return std::nullopt;  // two words in a row: not a call but some other statement
  }
  if (call.name.endsWith(u'.')) return std::nullopt;
  bool expectArgument = true;
  for (; at < statement.size(); ++at) {
    if (expectArgument) {
      ++call.argumentCount;
      if (statement[at].kind != SqlToken::Kind::Literal) call.argumentsAreLiterals = false;
    } else if (!IsSymbol(statement[at], u',')) {
      call.argumentsAreLiterals = false;
    }
    expectArgument = !expectArgument;
  }
  return call;
}

}  // namespace hospitaldb
