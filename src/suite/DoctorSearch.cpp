#include "suite/DoctorSearch.h"

#include "hospitaldb/ClientStatements.h"
#include "platform/SqlQuote.h"

namespace suite {

QString DoctorSearchSql(const QString& text) {
  return hospitaldb::FillShape(
      hospitaldb::ClientStatement::kDoctorSearch,
      {platform::SqlLiteral(text.trimmed() + u'%'), platform::SqlLiteral(text)});
}

}  // namespace suite
