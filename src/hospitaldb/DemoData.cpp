#include "hospitaldb/DemoData.h"

#include <algorithm>
#include <optional>

#include "hospitaldb/DemoPeople.h"
#include "hospitaldb/ScheduleStore.h"
#include "hospitaldb/SqlHelpers.h"
#include "platform/WallClock.h"

namespace hospitaldb {
namespace {

// A fixed pseudo-random sequence (xorshift32): the same picks on every machine.
class DemoSequence {
 public:
  int below(int bound) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<int>(state_ % static_cast<quint32>(bound));
  }

 private:
  quint32 state_ = 0x2545F491u;
};

struct PlannedRequest {
  int dayOffset;  // from the server's current date
  int hour, minute;
  char status;
};

// Most requests know their expected duration, from half an hour to two hours; every seventh
// does not.
std::optional<int> DemoMinutes(int k) {
  if (k % 7 == 3) return std::nullopt;
  return 30 + (k * 5 % 7) * 15;
}

std::vector<PlannedRequest> PlanRequests() {
  std::vector<PlannedRequest> plan;
  auto day = [&plan](int offset, std::initializer_list<std::pair<int, int>> times,
                     const char* statuses) {
    int i = 0;
    for (const auto& [hour, minute] : times)
      plan.push_back({offset, hour, minute, statuses[i++]});
  };
  day(-1,
      {{7, 0},
       {8, 0},
       {8, 30},
       {9, 30},
       {10, 0},
       {11, 0},
       {13, 0},
       {14, 0},
       {15, 30},
       {16, 0},
       {17, 0},
       {19, 0}},
      "CCRPCPCRCCPC");
  // Pending at half past every hour but the last, so that confirming can be tried at any time.
  for (int hour = 0; hour <= 22; ++hour)
    plan.push_back({0, hour, 30, 'P'});
  day(0, {{6, 0}, {7, 0}, {7, 0}, {8, 15}, {10, 45}, {12, 0}, {13, 15}, {15, 0}, {18, 0}},
      "CCCCCCCCC");
  day(0, {{9, 0}, {11, 15}, {16, 45}}, "RRR");
  const char* futureStatuses[] = {"PCPRC", "PPCPP", "CPPRP", "PPPCP", "PRPPP"};
  for (int offset = 1; offset <= 5; ++offset)
    day(offset, {{7, 30}, {9, 0}, {10, 30}, {13, 0}, {15, 30}}, futureStatuses[offset - 1]);
  // A request booked beside today's confirmed 10:45 one, to be given its surgeon.
  day(0, {{10, 45}}, "P");
  return plan;
}

// The index of the first request planned for today at hh:mm with this status, after `from`.
std::size_t PlannedAt(const std::vector<PlannedRequest>& plan, int hour, int minute, char status,
                      std::size_t from = 0) {
  for (std::size_t k = from; k < plan.size(); ++k)
    if (plan[k].dayOffset == 0 && plan[k].hour == hour && plan[k].minute == minute &&
        plan[k].status == status)
      return k;
  return plan.size();
}

// The codes of the people of a request's team.
QStringList TeamOf(const ScheduleRecord& r) {
  QStringList team;
  for (const QString& code :
       {r.surgeonCode, r.surgeon1Code, r.surgeon2Code, r.anesCode, r.anes2Code, r.asstDocCode,
        r.sNurseCode, r.sNurse2Code, r.cNurseCode})
    if (!code.isEmpty()) team << code;
  return team;
}

bool Share(const ScheduleRecord& a, const ScheduleRecord& b) {
  if (a.orRoomId == b.orRoomId) return true;
  const QStringList team = TeamOf(b);
  return std::any_of(team.begin(), team.end(),
                     [&](const QString& code) { return TeamOf(a).contains(code); });
}

// The teams are picked at random, so a duration could run into another request of a room or a
// person by chance: each ends by the start of the next request that shares either (one that
// would last less than five minutes has none). Only the double bookings booked on purpose clash,
// those at one minute among them.
void EndBeforeTheNextSharing(const std::vector<ScheduleRecord>& requests,
                             std::vector<std::optional<int>>& minutes) {
  for (std::size_t k = 0; k < requests.size(); ++k) {
    if (!minutes[k]) continue;
    const QDateTime& start = requests[k].operationDate;
    for (std::size_t j = 0; j < requests.size(); ++j) {
      const QDateTime& next = requests[j].operationDate;
      if (next <= start || requests[j].status == QLatin1String("R") ||
          !Share(requests[k], requests[j]))
        continue;
      minutes[k] = std::min(*minutes[k], int(start.secsTo(next) / 60));
    }
    if (*minutes[k] < 5) minutes[k].reset();
  }
}

// Today holds one double booking of each kind, so that a new user sees the marks: the two
// confirmed 7:00 operations in one room, one surgeon on two requests at 10:45, and the
// confirmed 6:00 AM operation running an hour, into the 6:30 AM one booked in its room.
void BookTodaysClashes(std::vector<ScheduleRecord>& requests,
                       std::vector<std::optional<int>>& minutes,
                       const std::vector<PlannedRequest>& plan) {
  const std::size_t first7 = PlannedAt(plan, 7, 0, 'C');
  const std::size_t second7 = PlannedAt(plan, 7, 0, 'C', first7 + 1);
  requests[second7].orRoomId = requests[first7].orRoomId;
  const std::size_t confirmed1045 = PlannedAt(plan, 10, 45, 'C');
  requests[PlannedAt(plan, 10, 45, 'P')].surgeonCode = requests[confirmed1045].surgeonCode;
  const std::size_t six = PlannedAt(plan, 6, 0, 'C');
  requests[PlannedAt(plan, 6, 30, 'P')].orRoomId = requests[six].orRoomId;
  EndBeforeTheNextSharing(requests, minutes);
  minutes[six] = 60;
}

void InsertDuration(QSqlQuery& insert, qint64 transNum, const std::optional<int>& minutes) {
  if (!minutes) return;
  insert.addBindValue(transNum);
  insert.addBindValue(*minutes);
  ExecQuery(insert);
}

QSqlQuery PrepareDurationInsert(const QSqlDatabase& db) {
  return PrepareQuery(db, QStringLiteral("INSERT INTO tbORScheduleDuration VALUES (?, ?)"));
}

void InsertRooms(const QSqlDatabase& db) {
  QSqlQuery insert = PrepareQuery(db, QStringLiteral("INSERT INTO tbOrRoom VALUES (?, ?)"));
  for (const DemoRoom& room : DemoRooms()) {
    insert.addBindValue(room.id);
    insert.addBindValue(room.name);
    ExecQuery(insert);
  }
}

void InsertDoctors(const QSqlDatabase& db) {
  QSqlQuery insert =
      PrepareQuery(db, QStringLiteral("INSERT INTO tbDoctor VALUES (?, ?, ?, ?, ?)"));
  for (const DemoDoctor& d : DemoDoctors()) {
    for (const QString& value : {d.code, d.lastName, d.firstName, d.middleName, d.specialty})
      insert.addBindValue(value);
    ExecQuery(insert);
  }
}

void InsertStaff(const QSqlDatabase& db) {
  QSqlQuery insert =
      PrepareQuery(db, QStringLiteral("INSERT INTO tbpasswordmain VALUES (?, ?, ?, ?, ?)"));
  for (const DemoStaff& s : DemoStaffMembers()) {
    insert.addBindValue(s.code);
    insert.addBindValue(s.lastName);
    insert.addBindValue(s.firstName);
    insert.addBindValue(s.noMiddleName ? QVariant() : QVariant(s.middleName));
    insert.addBindValue(s.department);
    ExecQuery(insert);
  }
}

std::vector<QString> DoctorCodes(bool anesthesiologists) {
  std::vector<QString> codes;
  for (const DemoDoctor& d : DemoDoctors())
    if ((d.specialty == AnesthesiologySpecialty()) == anesthesiologists) codes.push_back(d.code);
  return codes;
}

std::vector<QString> OrStaffCodes() {
  std::vector<QString> codes;
  for (const DemoStaff& s : DemoStaffMembers())
    if (s.department == QLatin1String("29")) codes.push_back(s.code);
  return codes;
}

// A request of plan entry `k`: people and texts picked from the demo lists.
ScheduleRecord DemoRequest(int k, const PlannedRequest& plan, const QDate& today,
                           DemoSequence& pick) {
  static const std::vector<QString> surgeons = DoctorCodes(false);
  static const std::vector<QString> anesthesiologists = DoctorCodes(true);
  static const std::vector<QString> nurses = OrStaffCodes();
  static const QString remarks[] = {
      QString(),
      QStringLiteral("NPO AFTER MIDNIGHT"),
      QString(),
      QStringLiteral("WITH BLOOD TYPING & CROSSMATCHING, 2 UNITS PRBC"),
      QStringLiteral("ALLERGIC TO PENICILLIN"),
      QString()};
  auto any = [&pick](const std::vector<QString>& from) {
    return from[pick.below(static_cast<int>(from.size()))];
  };
  ScheduleRecord r;
  r.patientName = DemoPatients()[(k * 5) % DemoPatients().size()];
  r.procedureName = DemoProcedures()[k % DemoProcedures().size()];
  r.roomNo = k % 9 == 4 ? QString() : any(DemoWardRooms());
  r.orRoomId = DemoRooms()[k % DemoRooms().size()].id;
  r.operationDate =
      platform::WallClock(today.addDays(plan.dayOffset), QTime(plan.hour, plan.minute));
  r.surgeonCode = any(surgeons);
  r.anesCode = any(anesthesiologists);
  r.surgeon1Code = k % 3 == 0 ? QString() : any(surgeons);
  r.surgeon2Code = k % 4 == 0 ? any(surgeons) : QString();
  r.anes2Code = k % 5 == 0 ? any(anesthesiologists) : QString();
  r.asstDocCode = k % 2 == 0 ? any(surgeons) : QString();
  r.sNurseCode = any(nurses);
  r.sNurse2Code = k % 3 == 1 ? any(nurses) : QString();
  r.cNurseCode = any(nurses);
  r.remarks = remarks[k % std::size(remarks)];
  const QDate decided = std::min(r.operationDate.date(), today).addDays(-1);
  r.encodedBy = any(nurses);
  r.dateEncoded = platform::WallClock(decided.addDays(-1), QTime(8, 0)).addSecs(k * 420);
  r.status = QString(QLatin1Char(plan.status));
  if (plan.status == 'C' || (plan.status == 'R' && k % 2 == 0)) {
    r.confirmedByCode = any(nurses);
    r.dateConfirmed = platform::WallClock(decided, QTime(15, 0)).addSecs(k * 60);
  }
  if (plan.status == 'R') {
    r.revokedByCode = any(nurses);
    r.dateRevoked = platform::WallClock(decided, QTime(17, 0)).addSecs(k * 60);
  }
  return r;
}

}  // namespace

void FillDemoData(const QSqlDatabase& db, const QDateTime& now) {
  InsertRooms(db);
  InsertDoctors(db);
  InsertStaff(db);
  NameResolver names(db);
  ScheduleWriter writer(db);
  DemoSequence pick;
  const std::vector<PlannedRequest> plan = PlanRequests();
  std::vector<ScheduleRecord> requests;
  std::vector<std::optional<int>> minutes;
  for (int k = 0; k < static_cast<int>(plan.size()); ++k) {
    requests.push_back(DemoRequest(k, plan[k], now.date(), pick));
    minutes.push_back(DemoMinutes(k));
  }
  BookTodaysClashes(requests, minutes, plan);
  QSqlQuery durations = PrepareDurationInsert(db);
  for (std::size_t k = 0; k < requests.size(); ++k) {
    ScheduleRecord& request = requests[k];
    names.resolve(request);
    request.confirmedBy = names.staffName(request.confirmedByCode);
    request.revokedBy = names.staffName(request.revokedByCode);
    InsertDuration(durations, writer.insert(request), minutes[k]);
  }
}

void FillPendingRequests(const QSqlDatabase& db, const QDate& date, int count,
                         const QDateTime& encodedAt) {
  // A few teams resolved once, so that the insert loop does nothing but insert.
  std::vector<ScheduleRecord> teams;
  NameResolver names(db);
  DemoSequence pick;
  const PlannedRequest pending{0, 0, 0, 'P'};
  for (int k = 0; k < 8; ++k) {
    ScheduleRecord team = DemoRequest(k, pending, date, pick);
    names.resolve(team);
    team.encodedBy = QString::fromLatin1(kDemoEmployeeCode);
    team.dateEncoded = encodedAt;
    teams.push_back(team);
  }
  ScheduleWriter writer(db);
  QSqlQuery durations = PrepareDurationInsert(db);
  for (int i = 0; i < count; ++i) {
    ScheduleRecord request = teams[i % teams.size()];
    request.patientName = DemoPatients()[i % DemoPatients().size()];
    request.procedureName = DemoProcedures()[i % DemoProcedures().size()];
    // Every minute of the day once before any repeats, not in insertion order.
    request.operationDate = platform::WallClock(date, QTime(0, 0)).addSecs((i * 37 % 1440) * 60);
    InsertDuration(durations, writer.insert(request), DemoMinutes(i));
  }
}

}  // namespace hospitaldb
