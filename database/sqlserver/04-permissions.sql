-- What the client's login may do: run the six procedures, read the room and doctor tables and
-- the staff table, nothing else. Run once; then add each client login's user to the role
-- orscheduler_client in both databases, for example:
--
--   CREATE LOGIN orclient WITH PASSWORD = N'...', DEFAULT_LANGUAGE = us_english;
--   USE SCHEDULE;   CREATE USER orclient FOR LOGIN orclient;
--                   ALTER ROLE orscheduler_client ADD MEMBER orclient;
--   USE [PASSWORD]; CREATE USER orclient FOR LOGIN orclient;
--                   ALTER ROLE orscheduler_client ADD MEMBER orclient;
--
-- DEFAULT_LANGUAGE = us_english matters: the client sends dates as month/day/year texts, and
-- the server reads them by the login's language. For a Windows login, set the same language
-- with ALTER LOGIN [DOMAIN\name] WITH DEFAULT_LANGUAGE = us_english.

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
GRANT SELECT ON dbo.tbOrRoom TO orscheduler_client;
GRANT SELECT ON dbo.tbDoctor TO orscheduler_client;
GO

USE [PASSWORD];
GO

IF DATABASE_PRINCIPAL_ID(N'orscheduler_client') IS NULL
    CREATE ROLE orscheduler_client;
GO

-- The staff search reads it, and so do the procedures that store who saved or confirmed.
GRANT SELECT ON dbo.tbpasswordmain TO orscheduler_client;
GO
