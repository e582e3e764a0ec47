-- What the client's login may do: run its procedures and read exactly the columns that its
-- own selects read, nothing else. The staff table may hold more about a person than a name (at
-- some hospitals, credentials): the role reads its code, names and department only.
-- Run once; then add each client login's user to the role orscheduler_client in both
-- databases, for example:
--
--   CREATE LOGIN orclient WITH PASSWORD = N'...', DEFAULT_LANGUAGE = us_english;
--   USE SCHEDULE;   CREATE USER orclient FOR LOGIN orclient;
--                   ALTER ROLE orscheduler_client ADD MEMBER orclient;
--   USE [PASSWORD]; CREATE USER orclient FOR LOGIN orclient;
--                   ALTER ROLE orscheduler_client ADD MEMBER orclient;
--
-- The procedures read the client's month/day/year date texts whatever the login's language;
-- DEFAULT_LANGUAGE = us_english keeps the server's messages in the language of this
-- documentation. For a Windows login:
--   ALTER LOGIN [DOMAIN\name] WITH DEFAULT_LANGUAGE = us_english;

USE SCHEDULE;
GO

IF DATABASE_PRINCIPAL_ID(N'orscheduler_client') IS NULL
    CREATE ROLE orscheduler_client;
GO

GRANT EXECUTE ON dbo.sp_GetORSchedule TO orscheduler_client;
GRANT EXECUTE ON dbo.sp_List_ORRooms TO orscheduler_client;
GRANT EXECUTE ON dbo.sp_Get_ORRoom TO orscheduler_client;
GRANT EXECUTE ON dbo.Save_OR_Schedule TO orscheduler_client;
GRANT EXECUTE ON dbo.sp_UpdateSchedules TO orscheduler_client;
GRANT EXECUTE ON dbo.sp_List_Of_ConfirmedSchedules_ORScheduler TO orscheduler_client;
-- Its own login's employee; the login mapping itself it cannot read.
GRANT EXECUTE ON dbo.sp_GetORLoginEmployee TO orscheduler_client;
-- The room name of a code, and the code search's doctors.
GRANT SELECT (RoomID, RoomName) ON dbo.tbOrRoom TO orscheduler_client;
GRANT SELECT (DoctorCode, LastName, FirstName, Specialty) ON dbo.tbDoctor TO orscheduler_client;
GO

USE [PASSWORD];
GO

IF DATABASE_PRINCIPAL_ID(N'orscheduler_client') IS NULL
    CREATE ROLE orscheduler_client;
GO

-- The OR staff search reads these columns, and so do the procedures that store who saved or
-- confirmed (under the caller's rights: ownership does not chain across the two databases).
GRANT SELECT (employeeid, lastname, firstname, middlename, originaldepartment)
    ON dbo.tbpasswordmain TO orscheduler_client;
GO

-- Finding a patient's requests across dates.
USE SCHEDULE;
GO

GRANT EXECUTE ON dbo.sp_FindORSchedule TO orscheduler_client;
GO

-- A request by its transaction number, read just before the client acts on it.
GRANT EXECUTE ON dbo.sp_GetORScheduleByNum TO orscheduler_client;
GO

-- The expected durations, this project's own beside the requests: a date's, read beside its
-- listing, and a request's, set or cleared with its save.
GRANT EXECUTE ON dbo.sp_GetORScheduleDurations TO orscheduler_client;
GRANT EXECUTE ON dbo.sp_SetORScheduleDuration TO orscheduler_client;
GO
