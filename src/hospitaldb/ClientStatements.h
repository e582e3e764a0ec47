#pragma once

#include <QString>
#include <QStringList>

namespace hospitaldb {

// Every statement text the client sends, by its shape: the text as the server's procedures
// expect it, with '?' where a quoted value goes. The client's builders fill these shapes and
// the embedded server recognises statements by them, so each text is written once.
namespace ClientStatement {

inline constexpr char kServerClock[] = "select getdate() as TDate";
inline constexpr char kScheduleList[] = "SCHEDULE..sp_GetORSchedule ?";
inline constexpr char kRoomName[] =
    "select RoomID, RoomName from schedule..tbOrRoom where roomid = ?";
inline constexpr char kRoomCode[] = "SCHEDULE..sp_Get_ORRoom ?";
inline constexpr char kRoomList[] = "SCHEDULE..sp_List_ORRooms";
// The server's text has a blank before the time of saving, and only there.
inline constexpr char kSaveSchedule[] =
    "SCHEDULE..Save_OR_Schedule ?,?,?,?,?,?,?,?,?,?,?,?,?,?,?, ?,?,?";
// The first separator has no blank, the second one.
inline constexpr char kUpdateSchedule[] = "Schedule..sp_UpdateSchedules ?,?, ?";
#define ORSCHED_OR_STAFF_SELECT                                                                \
  "select DISTINCT employeeid AS CODE,isnull(lastname,'') + ' ,' +isnull(firstname,'') + ' ' " \
  "+ isnull(middlename,'') AS [OR STAFF] from PASSWORD..tbpasswordmain AS tbpasswordmain "     \
  "where originaldepartment = '29'"
inline constexpr char kAllOrStaff[] = ORSCHED_OR_STAFF_SELECT " order by [OR STAFF]";
inline constexpr char kOrStaffByKey[] =
    ORSCHED_OR_STAFF_SELECT "  and (lastname like ? or employeeid = ?) order by [OR STAFF]";
#undef ORSCHED_OR_STAFF_SELECT
inline constexpr char kConfirmedList[] = "Schedule..sp_List_Of_ConfirmedSchedules_ORScheduler";
// The current-user component's own: the server's login and the employee it is mapped to.
inline constexpr char kLoginEmployee[] = "SCHEDULE..sp_GetORLoginEmployee";
// The code-search component's search, not the client's own.
inline constexpr char kDoctorSearch[] =
    "select DoctorCode AS CODE, LastName AS [LAST NAME], FirstName AS [FIRST NAME], "
    "Specialty AS SPECIALTY from SCHEDULE..tbDoctor where LastName like ? or DoctorCode = ? "
    "order by LastName, FirstName";
// A patient's requests across dates, by a name's beginning or a transaction number.
inline constexpr char kFindSchedules[] = "SCHEDULE..sp_FindORSchedule ?";

// One request by its transaction number, wherever its date now lies, in the listing's columns;
// the second value 'UPDLOCK' holds the row until the transaction ends.
inline constexpr char kScheduleByNum[] = "SCHEDULE..sp_GetORScheduleByNum ?, ?";

// The project's own, beside the hospital's table: the expected durations of one date's requests
// (TransNum, OperationDate, Minutes), and a request's duration set ('90', in minutes) or
// cleared ('').
inline constexpr char kScheduleDurations[] = "SCHEDULE..sp_GetORScheduleDurations ?";
inline constexpr char kSetDuration[] = "SCHEDULE..sp_SetORScheduleDuration ?, ?";

// A transaction of the client's on its connection: a check and the write it guards.
inline constexpr char kBeginTransaction[] = "BEGIN TRANSACTION";
inline constexpr char kCommitTransaction[] = "COMMIT TRANSACTION";
inline constexpr char kRollbackTransaction[] = "IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION";

}  // namespace ClientStatement

// The shape with its '?' marks replaced, in order, by `literals` (values already quoted).
// Throws platform::RuntimeError when their numbers differ.
QString FillShape(const char* shape, const QStringList& literals);

}  // namespace hospitaldb
