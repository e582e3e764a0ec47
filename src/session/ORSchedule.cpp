#include "session/ORSchedule.h"

#include <array>

namespace session {
namespace {

using Member = QString ORSchedule::*;
using C = RequestColumn;

// The one map from list columns to fields, in column order from column 1.
constexpr std::array<Member, RequestColumn::kCount> kFieldOfColumn = {
    &ORSchedule::patientName,   &ORSchedule::procedure,
    &ORSchedule::patientRoom,   &ORSchedule::orRoomCode,
    &ORSchedule::surgeonCode,   &ORSchedule::surgeon,
    &ORSchedule::anesCode,      &ORSchedule::anesthesiologist,
    &ORSchedule::operationDate, &ORSchedule::remarks,
    &ORSchedule::transNum,      &ORSchedule::cNurseCode,
    &ORSchedule::cNurse,        &ORSchedule::sNurseCode,
    &ORSchedule::sNurse,        &ORSchedule::sNurse2Code,
    &ORSchedule::sNurse2,       &ORSchedule::surgeon1Code,
    &ORSchedule::surgeon1,      &ORSchedule::surgeon2Code,
    &ORSchedule::surgeon2,      &ORSchedule::anes2Code,
    &ORSchedule::anes2,         &ORSchedule::asstDocCode,
    &ORSchedule::asstDoc,       &ORSchedule::notUsed,
    &ORSchedule::status,        &ORSchedule::confirmedBy,
    &ORSchedule::dateConfirmed, &ORSchedule::revokedBy,
    &ORSchedule::dateRevoked,
};

// The status must stay in column 27 and the last field in column 31, where the server puts them.
static_assert(C::kStatus == 27 && C::kLast == 31 && C::kCount == 31);

}  // namespace

QString& ORSchedule::operator[](RequestColumn::Column column) {
  return this->*kFieldOfColumn[column - C::kFirst];
}

const QString& ORSchedule::operator[](RequestColumn::Column column) const {
  return this->*kFieldOfColumn[column - C::kFirst];
}

QDateTime ORSchedule::When(RequestColumn::Column column) const {
  switch (column) {
    case C::kOperationDate:
      return operationAt;
    case C::kDateConfirmed:
      return confirmedAt;
    case C::kDateRevoked:
      return revokedAt;
    default:
      return {};
  }
}

ORSchedule ORSchedule::FromCells(const std::function<QString(RequestColumn::Column)>& cell) {
  ORSchedule request;
  for (int c = C::kFirst; c <= C::kLast; ++c) {
    const auto column = static_cast<RequestColumn::Column>(c);
    request[column] = cell(column);
  }
  return request;
}

}  // namespace session
