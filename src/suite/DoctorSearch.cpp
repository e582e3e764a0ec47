#include "suite/DoctorSearch.h"

#include "platform/SqlQuote.h"

namespace suite {

QString DoctorSearchSql(const QString& text) {
  return QStringLiteral(
             "select DoctorCode AS CODE, LastName AS [LAST NAME], FirstName AS [FIRST NAME], "
             "Specialty AS SPECIALTY from SCHEDULE..tbDoctor where LastName like ") +
         platform::SqlLiteral(text.trimmed() + u'%') + QStringLiteral(" or DoctorCode = ") +
         platform::SqlLiteral(text) + QStringLiteral(" order by LastName, FirstName");
}

}  // namespace suite
