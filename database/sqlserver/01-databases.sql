-- The two databases the client names in its statements: SCHEDULE (operating rooms, doctors,
-- operation requests) and PASSWORD (the hospital's staff). Run once, as a server administrator,
-- with sqlcmd or SQL Server Management Studio.
--
-- The client writes the schedule database's name as SCHEDULE, Schedule and schedule, so the
-- server's collation must be case-insensitive (the default). Names are stored as nvarchar, so
-- any collation keeps them; Latin1_General_100_CI_AS is a sound default for new databases.

IF DB_ID(N'SCHEDULE') IS NULL
    CREATE DATABASE SCHEDULE COLLATE Latin1_General_100_CI_AS;
GO

IF DB_ID(N'PASSWORD') IS NULL
    CREATE DATABASE [PASSWORD] COLLATE Latin1_General_100_CI_AS;
GO
