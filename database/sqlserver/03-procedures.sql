-- The stored procedures of the SCHEDULE database that the client calls, the two name look-ups
-- they share, and the trigger by which the server enforces who acted (SQL Server 2016 SP1 or
-- later, the database at compatibility level 110 or higher: the script checks both before it
-- changes anything). Safe to run again, and safe at a hospital whose SCHEDULE already has
-- procedures of these names: each object is made only where none of its name exists, and then
-- marked as made here (the extended property "orscheduler"); a marked one is replaced by
-- CREATE OR ALTER. At one without the mark, the site's own, the script stops as planned: it
-- prints what it found and what to do next, leaves that object and everything after it as they
-- are, and ends without an error (sqlcmd -b exits 0). An object is marked only once it is made,
-- so that a failed CREATE leaves nothing behind that a later run would take for the project's.
--
-- The client sends every argument as a quoted text, so every parameter is text and each
-- procedure converts what it needs; an empty transaction number means a new request.
-- Dates: the client writes them month/day/year ("12/9/2026 02:30:00 PM"). A procedure that
-- reads a date text says SET DATEFORMAT mdy first, so that the date is read the same under a
-- login of any language (a day/month login would otherwise store 12 September without an
-- error). The setting ends with the procedure.
-- Lengths: every text parameter is nvarchar(max). A parameter no wider than its column would
-- cut a longer value short without a word; the column refuses it, so an over-long name or
-- remark fails the save with SQL Server's truncation error instead of being stored cut.
-- Refusals: each kind has its own number (the README lists them): 50001 no operation date,
-- 50002 a transaction number that is no number, 50003 an employee other than the login's,
-- 50004 no request with the number, 50005 an unknown status, 50006 a duration that is none,
-- 50010 nothing to mark.
--
-- The client's build checks these procedures against what it sends and reads, and parses
-- every batch with an independent T-SQL parser, so keep them in this shape:
--   * one object per batch, each batch ended by a line GO, CREATE its first statement;
--   * before it, the batch that stops at an object of its name that is the site's own, and
--     after it, the batch that marks it (copy the three batches of an object, and change the
--     name in each);
--   * CREATE OR ALTER PROCEDURE dbo.Name, then the parameters in parentheses, one per line
--     (@Name type, separated by commas), then AS on a line of its own;
--   * the body BEGIN ... END, its first statement SET NOCOUNT ON (otherwise row counts reach
--     the client as extra results), every statement ended by a semicolon;
--   * a refusal is THROWn, not RAISERROR'd: THROW ends the caller's batch, so that a script
--     of several calls (the site check) stops at the first refusal instead of going on; its
--     number is 50000 or above (the range SQL Server leaves to applications), one per kind;
--   * a procedure that returns rows does so with one SELECT that assigns nothing (or one in
--     each branch of an IF ... ELSE, alike), its columns named by AS alias or by the column
--     they read (s.PatientName is PatientName);
--   * a date bound is an expression of a parameter or of GETDATE(), never a local variable:
--     the optimizer reads the value it compiles with and expects one day's rows, where it
--     would guess a tenth of the table for a variable.

USE SCHEDULE;
GO

-- First what the server must be: CREATE OR ALTER needs SQL Server 2016 SP1 (13.0.4001) or
-- later (Azure SQL has it whatever its version number), TRY_CONVERT, THROW, CONCAT and FORMAT
-- need compatibility level 110. Otherwise nothing is made.
DECLARE @Version nvarchar(128) = CONVERT(nvarchar(128), SERVERPROPERTY(N'ProductVersion'));
DECLARE @Major int = CONVERT(int, PARSENAME(@Version, 4));
DECLARE @Build int = CONVERT(int, PARSENAME(@Version, 2));
DECLARE @Level int = (SELECT compatibility_level FROM sys.databases WHERE name = DB_NAME());
DECLARE @OldServer nvarchar(400) = N'This server is SQL Server %s; these procedures need SQL '
    + N'Server 2016 SP1 (13.0.4001) or later. Nothing was made.';
DECLARE @OldLevel nvarchar(400) = N'SCHEDULE is at compatibility level %d; these procedures '
    + N'need 110 or higher (ALTER DATABASE SCHEDULE SET COMPATIBILITY_LEVEL = 130). Nothing was '
    + N'made.';
IF CONVERT(int, SERVERPROPERTY(N'EngineEdition')) NOT IN (5, 8)
   AND (@Major < 13 OR (@Major = 13 AND @Build < 4001))
BEGIN
    RAISERROR (@OldServer, 16, 1, @Version);
    SET NOEXEC ON;
END
ELSE IF @Level < 110
BEGIN
    RAISERROR (@OldLevel, 16, 1, @Level);
    SET NOEXEC ON;
END;
GO

-- The two helpers of these scripts: the planned stop before an object of the site's own, and
-- the mark of what they made. The first is guarded here by hand; every later object by them.
IF OBJECT_ID(N'dbo.fnORSitesOwn') IS NOT NULL AND NOT EXISTS (SELECT 1
   FROM sys.extended_properties WHERE class = 1 AND minor_id = 0
   AND major_id = OBJECT_ID(N'dbo.fnORSitesOwn') AND name = N'orscheduler')
BEGIN
    PRINT N'dbo.fnORSitesOwn is this site''s own: nothing is made.';
    SET NOEXEC ON;
END;
GO

-- What to say before an object of this name that the site made itself (it has no mark of these
-- scripts); null where none of the name exists or the one there is marked.
CREATE OR ALTER FUNCTION dbo.fnORSitesOwn (@Name sysname)
RETURNS nvarchar(max)
AS
BEGIN
    IF OBJECT_ID(N'dbo.' + @Name) IS NULL
       OR EXISTS (SELECT 1 FROM sys.extended_properties WHERE class = 1 AND minor_id = 0
                  AND major_id = OBJECT_ID(N'dbo.' + @Name) AND name = N'orscheduler')
        RETURN NULL;
    RETURN CONCAT(N'dbo.', @Name, N' is this site''s own (it has no mark of these scripts): it ',
        N'is left as it is, and nothing after it is made. A site that keeps its own procedures ',
        N'goes on with 04-permissions.sql. Where an earlier 03-procedures.sql made it, compare ',
        N'it with this script''s, adopt it with 08-adopt-objects.sql (or EXEC ',
        N'SCHEDULE.dbo.sp_MarkORObject N''', @Name, N''' alone), and run this script again.');
END;
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_MarkORObject');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- Marks an object of dbo as made by these scripts, so that they replace it from now on (a
-- procedure, a function or a trigger); an object marked already is left as it is.
CREATE OR ALTER PROCEDURE dbo.sp_MarkORObject
    (@Name sysname)
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @Id int = OBJECT_ID(N'dbo.' + @Name);
    DECLARE @Type char(2) = (SELECT o.type FROM sys.objects AS o WHERE o.object_id = @Id);
    IF @Type IS NULL
    BEGIN
        DECLARE @Missing nvarchar(2048) = CONCAT(N'There is no object dbo.', @Name,
            N' to mark.');
        THROW 50010, @Missing, 1;
    END;
    IF dbo.fnORSitesOwn(@Name) IS NULL
        RETURN;
    IF @Type = 'TR'
    BEGIN
        DECLARE @Table sysname = (SELECT OBJECT_NAME(o.parent_object_id) FROM sys.objects AS o
                                  WHERE o.object_id = @Id);
        EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA',
            N'dbo', N'TABLE', @Table, N'TRIGGER', @Name;
    END
    ELSE
    BEGIN
        DECLARE @Kind varchar(128) = CASE WHEN @Type = 'P' THEN 'PROCEDURE' ELSE 'FUNCTION' END;
        EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA',
            N'dbo', @Kind, @Name;
    END;
END;
GO

EXEC dbo.sp_MarkORObject N'fnORSitesOwn';
EXEC dbo.sp_MarkORObject N'sp_MarkORObject';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_GetORLoginEmployee');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- The calling login (the one that opened the connection, whatever it impersonates since), the
-- employee SCHEDULE..tbORLogin maps it to (null when it is mapped to none), and whether the
-- server takes work only under that employee (the setting EnforceLoginEmployee, set with 07).
-- The client signs in that employee, and refuses to start where the mapping is enforced and
-- the login is mapped to none.
CREATE OR ALTER PROCEDURE dbo.sp_GetORLoginEmployee
AS
BEGIN
    SET NOCOUNT ON;
    SELECT ORIGINAL_LOGIN() AS LoginName,
        (SELECT l.EmployeeID FROM dbo.tbORLogin AS l WHERE l.LoginName = ORIGINAL_LOGIN())
            AS EmployeeID,
        CONVERT(bit, CASE WHEN EXISTS (SELECT 1 FROM dbo.tbORSetting AS t
                                       WHERE t.SettingName = N'EnforceLoginEmployee'
                                         AND t.SettingValue = N'on') THEN 1 ELSE 0 END)
            AS Enforced;
END;
GO

EXEC dbo.sp_MarkORObject N'sp_GetORLoginEmployee';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'trORScheduleWhoActed');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- Who acted is the employee of the login that acts, whichever procedure writes (the site's own
-- included): while the setting EnforceLoginEmployee is 'on' (07), a statement that records an
-- employee in EncodedBy, UpdatedBy, ConfirmedByCode or RevokedByCode (with the time beside it)
-- other than the one SCHEDULE..tbORLogin maps ORIGINAL_LOGIN() to is refused, and undone with
-- its transaction. A code the statement leaves as it was, and an empty one, records no one new
-- and is not looked at.
CREATE OR ALTER TRIGGER dbo.trORScheduleWhoActed
ON dbo.tbORSchedule
AFTER INSERT, UPDATE
AS
BEGIN
    SET NOCOUNT ON;
    IF NOT EXISTS (SELECT 1 FROM dbo.tbORSetting AS t
                   WHERE t.SettingName = N'EnforceLoginEmployee' AND t.SettingValue = N'on')
        RETURN;
    DECLARE @Employee nvarchar(20) = (SELECT l.EmployeeID FROM dbo.tbORLogin AS l
                                      WHERE l.LoginName = ORIGINAL_LOGIN());
    DECLARE @Code nvarchar(max) = (SELECT TOP (1) a.Code
        FROM inserted AS i
        LEFT JOIN deleted AS d ON d.TransNum = i.TransNum
        CROSS APPLY (VALUES (i.EncodedBy, i.DateEncoded, d.EncodedBy, d.DateEncoded),
                            (i.UpdatedBy, i.DateUpdated, d.UpdatedBy, d.DateUpdated),
                            (i.ConfirmedByCode, i.DateConfirmed, d.ConfirmedByCode,
                             d.DateConfirmed),
                            (i.RevokedByCode, i.DateRevoked, d.RevokedByCode, d.DateRevoked))
            AS a (Code, SetAt, WasCode, WasSetAt)
        WHERE ISNULL(a.Code, N'') <> N''
          AND EXISTS (SELECT a.Code, a.SetAt EXCEPT SELECT a.WasCode, a.WasSetAt)
          AND (@Employee IS NULL OR a.Code <> @Employee));
    IF @Code IS NOT NULL
    BEGIN
        DECLARE @NotYours nvarchar(2048) = CONCAT(N'The login ', ORIGINAL_LOGIN(),
            N' may not act as employee ', LEFT(@Code, 100),
            N': SCHEDULE..tbORLogin maps it to another employee or to none. Nothing was changed.');
        THROW 50003, @NotYours, 1;
    END;
END;
GO

EXEC dbo.sp_MarkORObject N'trORScheduleWhoActed';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_FindORSchedule');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- A patient's requests across dates, newest first: the one with this transaction number, or
-- those whose patient's name begins with the text (two characters at least; what is typed is
-- text, its LIKE wildcards escaped). At most 200, and a 201st when more match, so that the
-- client can say so. Reads only. One statement per branch, each a seek: the number on the
-- primary key, the name on its index, which holds everything listed.
CREATE OR ALTER PROCEDURE dbo.sp_FindORSchedule
    (@SearchText nvarchar(max))
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @Key nvarchar(max) = LTRIM(RTRIM(@SearchText));
    DECLARE @Number int = TRY_CONVERT(int, @Key);
    DECLARE @Prefix nvarchar(max) = REPLACE(REPLACE(REPLACE(@Key, N'[', N'[[]'), N'%', N'[%]'),
        N'_', N'[_]') + N'%';
    IF @Number IS NOT NULL
        SELECT TOP (201)
            s.OperationDate,
            s.PatientName,
            s.ProcedureName,
            ISNULL(r.RoomName, N'') AS ORRoom,
            s.Surgeon,
            s.Status,
            s.TransNum
        FROM dbo.tbORSchedule AS s
        LEFT JOIN dbo.tbOrRoom AS r ON r.RoomID = s.ORRoomID
        WHERE s.TransNum = @Number
        ORDER BY s.OperationDate DESC, s.TransNum DESC;
    ELSE
        SELECT TOP (201)
            s.OperationDate,
            s.PatientName,
            s.ProcedureName,
            ISNULL(r.RoomName, N'') AS ORRoom,
            s.Surgeon,
            s.Status,
            s.TransNum
        FROM dbo.tbORSchedule AS s
        LEFT JOIN dbo.tbOrRoom AS r ON r.RoomID = s.ORRoomID
        WHERE LEN(@Key) >= 2 AND s.PatientName LIKE @Prefix
        ORDER BY s.OperationDate DESC, s.TransNum DESC;
END;
GO

EXEC dbo.sp_MarkORObject N'sp_FindORSchedule';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_GetORScheduleByNum');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- One request by its transaction number, wherever its date now lies: the 31 columns of the
-- request list, in the list's order, and its expected duration (Minutes, null where it is not
-- known); no row when no request has the number (a text that is no
-- number fails with the server's conversion error). The client reads a request afresh through
-- it just before it acts on the request. With @UpdLock 'UPDLOCK', sent inside the client's
-- transaction before a check, the row is first read with an update lock, which is held until the
-- transaction ends: another desk's check of the same request waits for this desk's commit and
-- then reads what it wrote.
CREATE OR ALTER PROCEDURE dbo.sp_GetORScheduleByNum
    (@TransNum nvarchar(max),
     @UpdLock nvarchar(max))
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @Number int = CONVERT(int, LTRIM(RTRIM(@TransNum)));
    DECLARE @Held int;
    IF @UpdLock = N'UPDLOCK'
    BEGIN
        SELECT @Held = TransNum
        FROM dbo.tbORSchedule WITH (UPDLOCK, ROWLOCK)
        WHERE TransNum = @Number;
    END;
    SELECT
        PatientName,
        ProcedureName,
        RoomNo,
        ORRoomID,
        SurgeonCode,
        Surgeon,
        AnesCode,
        Anesthesiologist,
        OperationDate,
        Remarks,
        TransNum,
        CNurseCode,
        CNurse,
        SNurseCode,
        SNurse,
        SNurse2Code,
        SNurse2,
        Surgeon1Code,
        AsstSurgeon1,
        Surgeon2Code,
        AsstSurgeon2,
        Anes2Code,
        AsstAnesthesiologist,
        AsstDocCode,
        AsstDoctor,
        EncodedBy,
        Status,
        ConfirmedBy,
        DateConfirmed,
        RevokedBy,
        DateRevoked,
        (SELECT d.Minutes FROM dbo.tbORScheduleDuration AS d
         WHERE d.TransNum = tbORSchedule.TransNum) AS Minutes
    FROM dbo.tbORSchedule
    WHERE TransNum = @Number;
END;
GO

EXEC dbo.sp_MarkORObject N'sp_GetORScheduleByNum';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_GetORScheduleDurations');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- The expected durations of one date's requests (any time of that day), by time: the
-- transaction number, the operation's date and time and the minutes, one row per request whose
-- duration is known (dbo.tbORScheduleDuration, this project's own beside the requests). The
-- client joins them to the date's listing by transaction number. The date is read
-- month/day/year, whatever the login's language, and bounds the day as sp_GetORSchedule does.
CREATE OR ALTER PROCEDURE dbo.sp_GetORScheduleDurations
    (@ScheduleDate nvarchar(max))
AS
BEGIN
    SET NOCOUNT ON;
    SET DATEFORMAT mdy;
    SELECT
        d.TransNum,
        s.OperationDate,
        d.Minutes
    FROM dbo.tbORScheduleDuration AS d
    INNER JOIN dbo.tbORSchedule AS s ON s.TransNum = d.TransNum
    WHERE s.OperationDate >= CONVERT(datetime, CONVERT(date, @ScheduleDate))
      AND s.OperationDate <= CONVERT(datetime, CONVERT(date, @ScheduleDate))
                             + CONVERT(datetime, N'23:59:59.997')
    ORDER BY s.OperationDate, d.TransNum;
END;
GO

EXEC dbo.sp_MarkORObject N'sp_GetORScheduleDurations';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_SetORScheduleDuration');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- Sets a request's expected duration, a whole number of minutes from 5 to 1440, or clears it
-- with an empty text: the request then has no known duration. The client sends it after the
-- save of the request, in the same transaction.
CREATE OR ALTER PROCEDURE dbo.sp_SetORScheduleDuration
    (@TransNum nvarchar(max),
     @Minutes nvarchar(max))
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    DECLARE @Number int = TRY_CONVERT(int, LTRIM(RTRIM(@TransNum)));
    IF @Number IS NULL
    BEGIN
        DECLARE @NotANumber nvarchar(2048) = CONCAT(N'Conversion failed when converting the '
            + N'varchar value ''', LEFT(@TransNum, 100), N''' to data type int.');
        THROW 50002, @NotANumber, 1;
    END;
    IF NOT EXISTS (SELECT 1 FROM dbo.tbORSchedule AS s WHERE s.TransNum = @Number)
    BEGIN
        DECLARE @Missing nvarchar(2048) = CONCAT(N'There is no OR schedule with transaction '
            + N'number ', @Number, N'.');
        THROW 50004, @Missing, 1;
    END;
    IF LTRIM(RTRIM(@Minutes)) = N''
    BEGIN
        DELETE FROM dbo.tbORScheduleDuration WHERE TransNum = @Number;
        RETURN;
    END;
    DECLARE @Length int = TRY_CONVERT(int, LTRIM(RTRIM(@Minutes)));
    IF @Length IS NULL OR @Length < 5 OR @Length > 1440
    BEGIN
        DECLARE @NoDuration nvarchar(2048) = CONCAT(N'A duration of ''', LEFT(@Minutes, 100),
            N''' minutes cannot be kept: it must be a whole number from 5 to 1440.');
        THROW 50006, @NoDuration, 1;
    END;
    UPDATE dbo.tbORScheduleDuration SET Minutes = @Length WHERE TransNum = @Number;
    IF @@ROWCOUNT = 0
    BEGIN
        INSERT INTO dbo.tbORScheduleDuration (TransNum, Minutes) VALUES (@Number, @Length);
    END;
END;
GO

EXEC dbo.sp_MarkORObject N'sp_SetORScheduleDuration';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'fnDoctorName');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- "LAST ,FIRST", as the code search and the lists show a doctor; empty for an unknown code.
CREATE OR ALTER FUNCTION dbo.fnDoctorName (@Code nvarchar(max))
RETURNS nvarchar(max)
AS
BEGIN
    RETURN ISNULL((SELECT TOP (1) LastName + N' ,' + FirstName
                   FROM dbo.tbDoctor
                   WHERE DoctorCode = @Code), N'');
END;
GO

EXEC dbo.sp_MarkORObject N'fnDoctorName';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'fnStaffName');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- "LAST ,FIRST MIDDLE", as the OR staff search shows an employee; empty for an unknown code.
CREATE OR ALTER FUNCTION dbo.fnStaffName (@Code nvarchar(max))
RETURNS nvarchar(max)
AS
BEGIN
    RETURN ISNULL((SELECT TOP (1) ISNULL(lastname, N'') + N' ,' + ISNULL(firstname, N'')
                                  + N' ' + ISNULL(middlename, N'')
                   FROM [PASSWORD].dbo.tbpasswordmain
                   WHERE employeeid = @Code), N'');
END;
GO

EXEC dbo.sp_MarkORObject N'fnStaffName';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_GetORSchedule');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- The requests of one date (any time of that day), by time: the 31 columns of the request
-- list, in the list's order. The date is read month/day/year, whatever the login's language.
-- The day's bounds are expressions of the parameter, which the optimizer works out from the
-- value it compiles with: it expects one day's requests and reads them in date order.
CREATE OR ALTER PROCEDURE dbo.sp_GetORSchedule
    (@ScheduleDate nvarchar(max))
AS
BEGIN
    SET NOCOUNT ON;
    SET DATEFORMAT mdy;
    SELECT
        s.PatientName,
        s.ProcedureName,
        s.RoomNo,
        s.ORRoomID,
        s.SurgeonCode,
        s.Surgeon,
        s.AnesCode,
        s.Anesthesiologist,
        s.OperationDate,
        s.Remarks,
        s.TransNum,
        s.CNurseCode,
        s.CNurse,
        s.SNurseCode,
        s.SNurse,
        s.SNurse2Code,
        s.SNurse2,
        s.Surgeon1Code,
        s.AsstSurgeon1,
        s.Surgeon2Code,
        s.AsstSurgeon2,
        s.Anes2Code,
        s.AsstAnesthesiologist,
        s.AsstDocCode,
        s.AsstDoctor,
        s.EncodedBy,
        s.Status,
        s.ConfirmedBy,
        s.DateConfirmed,
        s.RevokedBy,
        s.DateRevoked
    FROM dbo.tbORSchedule AS s
    WHERE s.OperationDate >= CONVERT(datetime, CONVERT(date, @ScheduleDate))
      AND s.OperationDate <= CONVERT(datetime, CONVERT(date, @ScheduleDate))
                             + CONVERT(datetime, N'23:59:59.997')
    ORDER BY s.OperationDate, s.TransNum;
END;
GO

EXEC dbo.sp_MarkORObject N'sp_GetORSchedule';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_List_ORRooms');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- The operating rooms by name, in the order they were added.
CREATE OR ALTER PROCEDURE dbo.sp_List_ORRooms
AS
BEGIN
    SET NOCOUNT ON;
    SELECT RoomName AS [Room Name]
    FROM dbo.tbOrRoom
    ORDER BY RoomSeq;
END;
GO

EXEC dbo.sp_MarkORObject N'sp_List_ORRooms';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_Get_ORRoom');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- The code of the room with this name.
CREATE OR ALTER PROCEDURE dbo.sp_Get_ORRoom
    (@RoomName nvarchar(max))
AS
BEGIN
    SET NOCOUNT ON;
    SELECT RoomID
    FROM dbo.tbOrRoom
    WHERE RoomName = @RoomName
    ORDER BY RoomSeq;
END;
GO

EXEC dbo.sp_MarkORObject N'sp_Get_ORRoom';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'Save_OR_Schedule');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- Stores a request: a new one when the transaction number is empty, else a change of that
-- request (its status and who confirmed or revoked it stay). Staff are sent by code; their
-- names are stored beside the codes. An empty time of saving means now. Both dates are read
-- month/day/year, whatever the login's language. Where the server enforces who acted, the
-- table's trigger refuses a save in another employee's name.
CREATE OR ALTER PROCEDURE dbo.Save_OR_Schedule
    (@PatientName nvarchar(max),
     @ORRoomID nvarchar(max),
     @SurgeonCode nvarchar(max),
     @AnesCode nvarchar(max),
     @OperationDate nvarchar(max),
     @EncodedBy nvarchar(max),
     @Remarks nvarchar(max),
     @CNurseCode nvarchar(max),
     @SNurseCode nvarchar(max),
     @SNurse2Code nvarchar(max),
     @Surgeon1Code nvarchar(max),
     @Surgeon2Code nvarchar(max),
     @Anes2Code nvarchar(max),
     @ProcedureName nvarchar(max),
     @RoomNo nvarchar(max),
     @DateEncoded nvarchar(max),
     @TransNum nvarchar(max),
     @AsstDocCode nvarchar(max))
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    SET DATEFORMAT mdy;
    -- An empty text would be 1/1/1900 to CONVERT; a request needs a real date.
    IF LTRIM(RTRIM(@OperationDate)) = N''
    BEGIN
        THROW 50001, N'Conversion failed when converting date and/or time from character string.', 1;
    END;
    DECLARE @When datetime = CONVERT(datetime, @OperationDate);
    DECLARE @SavedAt datetime = CASE WHEN LTRIM(RTRIM(@DateEncoded)) = N'' THEN GETDATE()
                                     ELSE CONVERT(datetime, @DateEncoded) END;

    IF LTRIM(RTRIM(@TransNum)) = N''
    BEGIN
        INSERT INTO dbo.tbORSchedule (
            PatientName, ProcedureName, RoomNo, ORRoomID,
            SurgeonCode, Surgeon, AnesCode, Anesthesiologist, OperationDate, Remarks,
            CNurseCode, CNurse, SNurseCode, SNurse, SNurse2Code, SNurse2,
            Surgeon1Code, AsstSurgeon1, Surgeon2Code, AsstSurgeon2,
            Anes2Code, AsstAnesthesiologist, AsstDocCode, AsstDoctor,
            EncodedBy, DateEncoded, Status)
        VALUES (
            @PatientName, @ProcedureName, @RoomNo, @ORRoomID,
            @SurgeonCode, dbo.fnDoctorName(@SurgeonCode),
            @AnesCode, dbo.fnDoctorName(@AnesCode), @When, @Remarks,
            @CNurseCode, dbo.fnStaffName(@CNurseCode),
            @SNurseCode, dbo.fnStaffName(@SNurseCode),
            @SNurse2Code, dbo.fnStaffName(@SNurse2Code),
            @Surgeon1Code, dbo.fnDoctorName(@Surgeon1Code),
            @Surgeon2Code, dbo.fnDoctorName(@Surgeon2Code),
            @Anes2Code, dbo.fnDoctorName(@Anes2Code),
            @AsstDocCode, dbo.fnDoctorName(@AsstDocCode),
            @EncodedBy, @SavedAt, N'P');
        RETURN;
    END;

    DECLARE @Number int = TRY_CONVERT(int, LTRIM(RTRIM(@TransNum)));
    IF @Number IS NULL
    BEGIN
        DECLARE @NotANumber nvarchar(2048) = CONCAT(N'Conversion failed when converting the '
            + N'varchar value ''', LEFT(@TransNum, 100), N''' to data type int.');
        THROW 50002, @NotANumber, 1;
    END;
    UPDATE dbo.tbORSchedule
    SET PatientName = @PatientName, ProcedureName = @ProcedureName, RoomNo = @RoomNo,
        ORRoomID = @ORRoomID,
        SurgeonCode = @SurgeonCode, Surgeon = dbo.fnDoctorName(@SurgeonCode),
        AnesCode = @AnesCode, Anesthesiologist = dbo.fnDoctorName(@AnesCode),
        OperationDate = @When, Remarks = @Remarks,
        CNurseCode = @CNurseCode, CNurse = dbo.fnStaffName(@CNurseCode),
        SNurseCode = @SNurseCode, SNurse = dbo.fnStaffName(@SNurseCode),
        SNurse2Code = @SNurse2Code, SNurse2 = dbo.fnStaffName(@SNurse2Code),
        Surgeon1Code = @Surgeon1Code, AsstSurgeon1 = dbo.fnDoctorName(@Surgeon1Code),
        Surgeon2Code = @Surgeon2Code, AsstSurgeon2 = dbo.fnDoctorName(@Surgeon2Code),
        Anes2Code = @Anes2Code, AsstAnesthesiologist = dbo.fnDoctorName(@Anes2Code),
        AsstDocCode = @AsstDocCode, AsstDoctor = dbo.fnDoctorName(@AsstDocCode),
        UpdatedBy = @EncodedBy, DateUpdated = @SavedAt
    WHERE TransNum = CONVERT(int, LTRIM(RTRIM(@TransNum)));
    IF @@ROWCOUNT = 0
    BEGIN
        DECLARE @Missing nvarchar(2048) = CONCAT(N'There is no OR schedule with transaction '
            + N'number ', @Number, N'.');
        THROW 50004, @Missing, 1;
    END;
END;
GO

EXEC dbo.sp_MarkORObject N'Save_OR_Schedule';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_UpdateSchedules');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- Confirms ("C") or revokes ("R") a request, recording who did it (by code and by name) and
-- when, by the server's clock; the table's trigger checks who, as for a save.
CREATE OR ALTER PROCEDURE dbo.sp_UpdateSchedules
    (@Status nvarchar(max),
     @EmployeeCode nvarchar(max),
     @TransNum nvarchar(max))
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @Letter nvarchar(1) = CASE WHEN @Status = N'C' THEN N'C'
                                       WHEN @Status = N'R' THEN N'R' END;
    IF @Letter IS NULL
    BEGIN
        DECLARE @Unknown nvarchar(2048) = CONCAT(N'Unknown schedule status ''', LEFT(@Status, 100),
            N''': C confirms, R revokes.');
        THROW 50005, @Unknown, 1;
    END;
    DECLARE @Number int = TRY_CONVERT(int, LTRIM(RTRIM(@TransNum)));
    IF @Number IS NULL
    BEGIN
        DECLARE @NotANumber nvarchar(2048) = CONCAT(N'Conversion failed when converting the '
            + N'varchar value ''', LEFT(@TransNum, 100), N''' to data type int.');
        THROW 50002, @NotANumber, 1;
    END;
    DECLARE @Name nvarchar(max) = dbo.fnStaffName(@EmployeeCode);
    IF @Name = N''
    BEGIN
        SET @Name = @EmployeeCode;
    END;
    UPDATE dbo.tbORSchedule
    SET Status = @Letter,
        ConfirmedByCode = CASE WHEN @Letter = N'C' THEN @EmployeeCode ELSE ConfirmedByCode END,
        ConfirmedBy = CASE WHEN @Letter = N'C' THEN @Name ELSE ConfirmedBy END,
        DateConfirmed = CASE WHEN @Letter = N'C' THEN GETDATE() ELSE DateConfirmed END,
        RevokedByCode = CASE WHEN @Letter = N'R' THEN @EmployeeCode ELSE RevokedByCode END,
        RevokedBy = CASE WHEN @Letter = N'R' THEN @Name ELSE RevokedBy END,
        DateRevoked = CASE WHEN @Letter = N'R' THEN GETDATE() ELSE DateRevoked END
    WHERE TransNum = CONVERT(int, LTRIM(RTRIM(@TransNum)));
    IF @@ROWCOUNT = 0
    BEGIN
        DECLARE @Missing nvarchar(2048) = CONCAT(N'There is no OR schedule with transaction '
            + N'number ', @Number, N'.');
        THROW 50004, @Missing, 1;
    END;
END;
GO

EXEC dbo.sp_MarkORObject N'sp_UpdateSchedules';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_List_Of_ConfirmedSchedules_ORScheduler');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- The operations confirmed for the server's current day, by time, for the board. A status
-- counts as confirmed as the client reads it: "C" once the blanks around it are removed, in
-- upper case. The day is bounded by GETDATE() itself, whose value the optimizer reads when it
-- compiles: it expects one day's requests.
CREATE OR ALTER PROCEDURE dbo.sp_List_Of_ConfirmedSchedules_ORScheduler
AS
BEGIN
    SET NOCOUNT ON;
    SELECT
        FORMAT(s.OperationDate, N'hh:mm tt', N'en-US') AS [Time],
        s.Surgeon,
        s.Anesthesiologist,
        s.PatientName AS Patientname,
        s.RoomNo AS Room,
        s.ProcedureName AS Procedurename,
        s.AsstDoctor,
        s.CNurse,
        s.SNurse,
        ISNULL(r.RoomName, N'') AS ORRoom,
        s.Status,
        s.TransNum AS Transnum
    FROM dbo.tbORSchedule AS s
    LEFT JOIN dbo.tbOrRoom AS r ON r.RoomID = s.ORRoomID
    WHERE s.OperationDate >= CONVERT(datetime, CONVERT(date, GETDATE()))
      AND s.OperationDate <= CONVERT(datetime, CONVERT(date, GETDATE()))
                             + CONVERT(datetime, N'23:59:59.997')
      AND LTRIM(RTRIM(s.Status)) COLLATE Latin1_General_BIN = N'C'
    ORDER BY s.OperationDate, s.TransNum;
END;
GO

EXEC dbo.sp_MarkORObject N'sp_List_Of_ConfirmedSchedules_ORScheduler';
GO

-- A stop above leaves NOEXEC on; the session goes on as it was.
SET NOEXEC OFF;
GO
