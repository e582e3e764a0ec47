#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace hospitaldb {

// The demo user's employee code: an OR nurse of the demo staff.
inline constexpr char kDemoEmployeeCode[] = "E1001";

// Fills rooms, doctors, staff and the requests of the days around `now`'s date. Everything
// is derived from that date with a fixed sequence, so two databases seeded for the same day
// hold the same data. Runs inside the caller's write transaction.
void FillDemoData(const QSqlDatabase& db, const QDateTime& now);

// Adds `count` pending requests on `date` with one prepared insert, most with a duration. They
// name the demo staff by code, with names from the tables (empty where the database is not
// seeded). Runs inside the caller's write transaction.
void FillPendingRequests(const QSqlDatabase& db, const QDate& date, int count,
                         const QDateTime& encodedAt);

}  // namespace hospitaldb
