-- The tables of the SCHEDULE and PASSWORD databases. Safe to run again, and at a hospital whose
-- databases already hold them: a table that exists is left as it is, its indexes included; only
-- a table made here gets the indexes of ours.
--
--   SCHEDULE.dbo.tbOrRoom       operating rooms; RoomSeq keeps the order in which they were added,
--                               which is the order of the room list
--   SCHEDULE.dbo.tbORSchedule   one row per operation request; the names of the staff are stored
--                               beside their codes as resolved when the request was saved. Its
--                               rows are kept in the order of their dates (the clustered index),
--                               so that the listing of a date and the board read one run of pages
--   SCHEDULE.dbo.tbORScheduleDuration
--                               this project's own beside the requests: the expected duration of
--                               a request, by its transaction number, where it is known
--   SCHEDULE.dbo.tbDoctor       the doctors the code search lists
--   SCHEDULE.dbo.tbORLogin      which employee each server login is (kept by the DBA with the
--                               procedures of 07-map-login.sql)
--   SCHEDULE.dbo.tbORSetting    this project's settings by name; EnforceLoginEmployee = 'on'
--                               (set with 07) makes the server take saves, confirmations and
--                               revocations only under the employee of the login that sends them
--   PASSWORD.dbo.tbpasswordmain the hospital's staff (department '29' is the operating room)
--
-- Text columns are nvarchar, so that names in any script arrive intact.

USE SCHEDULE;
GO

IF OBJECT_ID(N'dbo.tbOrRoom', N'U') IS NULL
CREATE TABLE dbo.tbOrRoom (
    RoomID nvarchar(20) NOT NULL CONSTRAINT PK_tbOrRoom PRIMARY KEY,
    RoomName nvarchar(100) NULL,
    RoomSeq int IDENTITY(1, 1) NOT NULL
);
GO

IF OBJECT_ID(N'dbo.tbDoctor', N'U') IS NULL
CREATE TABLE dbo.tbDoctor (
    DoctorCode nvarchar(20) NOT NULL CONSTRAINT PK_tbDoctor PRIMARY KEY,
    LastName nvarchar(60) NOT NULL DEFAULT N'',
    FirstName nvarchar(60) NOT NULL DEFAULT N'',
    MiddleName nvarchar(60) NOT NULL DEFAULT N'',
    Specialty nvarchar(60) NOT NULL DEFAULT N''
);
GO

-- The request listing and the board both read one day of operations: a table made here keeps
-- its rows in the order of their dates, so that a day is one run of pages, whatever columns they
-- read (an existing table keeps the indexes its site gave it; the README lists what to add).
IF OBJECT_ID(N'dbo.tbORSchedule', N'U') IS NULL
BEGIN
CREATE TABLE dbo.tbORSchedule (
    TransNum int IDENTITY(1, 1) NOT NULL,
    PatientName nvarchar(150) NOT NULL DEFAULT N'',
    ProcedureName nvarchar(400) NOT NULL DEFAULT N'',
    RoomNo nvarchar(30) NOT NULL DEFAULT N'',
    ORRoomID nvarchar(20) NOT NULL DEFAULT N'',
    SurgeonCode nvarchar(20) NOT NULL DEFAULT N'',
    Surgeon nvarchar(130) NOT NULL DEFAULT N'',
    AnesCode nvarchar(20) NOT NULL DEFAULT N'',
    Anesthesiologist nvarchar(130) NOT NULL DEFAULT N'',
    OperationDate datetime NOT NULL,
    Remarks nvarchar(4000) NOT NULL DEFAULT N'',
    CNurseCode nvarchar(20) NOT NULL DEFAULT N'',
    CNurse nvarchar(200) NOT NULL DEFAULT N'',
    SNurseCode nvarchar(20) NOT NULL DEFAULT N'',
    SNurse nvarchar(200) NOT NULL DEFAULT N'',
    SNurse2Code nvarchar(20) NOT NULL DEFAULT N'',
    SNurse2 nvarchar(200) NOT NULL DEFAULT N'',
    Surgeon1Code nvarchar(20) NOT NULL DEFAULT N'',
    AsstSurgeon1 nvarchar(130) NOT NULL DEFAULT N'',
    Surgeon2Code nvarchar(20) NOT NULL DEFAULT N'',
    AsstSurgeon2 nvarchar(130) NOT NULL DEFAULT N'',
    Anes2Code nvarchar(20) NOT NULL DEFAULT N'',
    AsstAnesthesiologist nvarchar(130) NOT NULL DEFAULT N'',
    AsstDocCode nvarchar(20) NOT NULL DEFAULT N'',
    AsstDoctor nvarchar(130) NOT NULL DEFAULT N'',
    EncodedBy nvarchar(20) NOT NULL DEFAULT N'',
    DateEncoded datetime NULL,
    UpdatedBy nvarchar(20) NULL,
    DateUpdated datetime NULL,
    Status nvarchar(5) NOT NULL DEFAULT N'P',
    ConfirmedByCode nvarchar(20) NULL,
    ConfirmedBy nvarchar(200) NULL,
    DateConfirmed datetime NULL,
    RevokedByCode nvarchar(20) NULL,
    RevokedBy nvarchar(200) NULL,
    DateRevoked datetime NULL,
    CONSTRAINT PK_tbORSchedule PRIMARY KEY NONCLUSTERED (TransNum),
    CONSTRAINT ixORScheduleOperationDate UNIQUE CLUSTERED (OperationDate, TransNum)
);
-- The find reads the names that begin with what was typed, and everything it returns, from
-- this index alone.
CREATE INDEX ixORSchedulePatientName ON dbo.tbORSchedule (PatientName)
    INCLUDE (OperationDate, ProcedureName, ORRoomID, Surgeon, Status);
END;
GO

-- A request's expected duration in minutes, a row only where it is known; the hospital's requests
-- table is left as it is. Made where none exists, at an existing site too.
IF OBJECT_ID(N'dbo.tbORScheduleDuration', N'U') IS NULL
CREATE TABLE dbo.tbORScheduleDuration (
    TransNum int NOT NULL CONSTRAINT PK_tbORScheduleDuration PRIMARY KEY,
    Minutes smallint NOT NULL,
    CONSTRAINT CK_tbORScheduleDuration_Minutes CHECK (Minutes BETWEEN 5 AND 1440)
);
GO

-- A login appears once; an employee may have several logins (a Windows and a SQL login).
IF OBJECT_ID(N'dbo.tbORLogin', N'U') IS NULL
CREATE TABLE dbo.tbORLogin (
    LoginName nvarchar(128) NOT NULL CONSTRAINT PK_tbORLogin PRIMARY KEY,
    EmployeeID nvarchar(20) NOT NULL
);
GO

-- Each setting once, by name. Absent means the setting's default (EnforceLoginEmployee: off).
IF OBJECT_ID(N'dbo.tbORSetting', N'U') IS NULL
CREATE TABLE dbo.tbORSetting (
    SettingName nvarchar(100) NOT NULL CONSTRAINT PK_tbORSetting PRIMARY KEY,
    SettingValue nvarchar(400) NOT NULL
);
GO

USE [PASSWORD];
GO

-- At a hospital this is usually the staff table of its own staff system: then it is left
-- exactly as it is, without an index of ours. Only a table made here gets the index by which
-- the OR staff search lists one department.
IF OBJECT_ID(N'dbo.tbpasswordmain', N'U') IS NULL
BEGIN
    CREATE TABLE dbo.tbpasswordmain (
        employeeid nvarchar(20) NULL,
        lastname nvarchar(60) NULL,
        firstname nvarchar(60) NULL,
        middlename nvarchar(60) NULL,
        originaldepartment nvarchar(10) NULL
    );
    CREATE INDEX ixPasswordMainDepartment ON dbo.tbpasswordmain (originaldepartment);
END;
GO
