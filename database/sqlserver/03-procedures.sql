-- The stored procedures of the SCHEDULE database that the client calls, and the two name
-- look-ups they share (SQL Server 2016 SP1 or later, the database at compatibility level 110 or
-- higher: the script checks it first). Safe to run again, and safe at a hospital whose SCHEDULE
-- already has procedures of these names: each object is made only where none of its name
-- exists, and then marked as made here (the extended property "orscheduler"); a marked one is
-- replaced by CREATE OR ALTER, and at one without the mark, the site's own, the script stops,
-- naming it, and leaves it and everything after it as they are.
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
--
-- The client's build checks these procedures against what it sends and reads, and parses
-- every batch with an independent T-SQL parser, so keep them in this shape:
--   * one object per batch, each batch ended by a line GO, CREATE its first statement;
--   * before it, a batch of its own that makes it only where none exists or where the one
--     there is marked (the block above each procedure: copy it, and change the name);
--   * CREATE OR ALTER PROCEDURE dbo.Name, then the parameters in parentheses, one per line
--     (@Name type, separated by commas), then AS on a line of its own;
--   * the body BEGIN ... END, its first statement SET NOCOUNT ON (otherwise row counts reach
--     the client as extra results), every statement ended by a semicolon;
--   * a refusal is THROWn, not RAISERROR'd: THROW ends the caller's batch, so that a script
--     of several calls (the site check) stops at the first refusal instead of going on; its
--     number is 50000 or above (the range SQL Server leaves to applications);
--   * a procedure that returns rows does so with exactly one SELECT that assigns nothing, its
--     columns named by AS alias or by the column they read (s.PatientName is PatientName).

USE SCHEDULE;
GO

-- TRY_CONVERT, THROW, CONCAT and FORMAT need compatibility level 110 or higher. Then each
-- object in turn: made here, marked, or the site's own (the script stops there).
DECLARE @Level int = (SELECT compatibility_level FROM sys.databases WHERE name = DB_NAME());
DECLARE @Need nvarchar(400) = N'SCHEDULE is at compatibility level %d; these procedures need '
    + N'110 or higher (ALTER DATABASE SCHEDULE SET COMPATIBILITY_LEVEL = 130). Nothing was made.';
IF @Level < 110
BEGIN
    RAISERROR (@Need, 16, 1, @Level);
    SET NOEXEC ON;
END;
GO

DECLARE @Name sysname = N'sp_GetORLoginEmployee';
IF OBJECT_ID(N'dbo.' + @Name) IS NULL
BEGIN
    EXEC (N'CREATE PROCEDURE dbo.' + @Name + N' AS RETURN;');
    EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA', N'dbo',
        N'PROCEDURE', @Name;
END
ELSE IF NOT EXISTS (SELECT 1 FROM sys.extended_properties WHERE class = 1
                    AND major_id = OBJECT_ID(N'dbo.' + @Name) AND name = N'orscheduler')
BEGIN
    RAISERROR (N'dbo.%s is this site''s own: it is left as it is, and nothing after it is made.',
        16, 1, @Name);
    SET NOEXEC ON;
END;
GO

-- The calling login (the one that opened the connection, whatever it impersonates since) and
-- the employee SCHEDULE..tbORLogin maps it to: one row, EmployeeID null when it is mapped to none.
-- The client signs in that employee; Save_OR_Schedule and sp_UpdateSchedules take no other.
CREATE OR ALTER PROCEDURE dbo.sp_GetORLoginEmployee
AS
BEGIN
    SET NOCOUNT ON;
    SELECT ORIGINAL_LOGIN() AS LoginName,
        (SELECT l.EmployeeID FROM dbo.tbORLogin AS l WHERE l.LoginName = ORIGINAL_LOGIN())
            AS EmployeeID;
END;
GO

DECLARE @Name sysname = N'sp_FindORSchedule';
IF OBJECT_ID(N'dbo.' + @Name) IS NULL
BEGIN
    EXEC (N'CREATE PROCEDURE dbo.' + @Name + N' AS RETURN;');
    EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA', N'dbo',
        N'PROCEDURE', @Name;
END
ELSE IF NOT EXISTS (SELECT 1 FROM sys.extended_properties WHERE class = 1
                    AND major_id = OBJECT_ID(N'dbo.' + @Name) AND name = N'orscheduler')
BEGIN
    RAISERROR (N'dbo.%s is this site''s own: it is left as it is, and nothing after it is made.',
        16, 1, @Name);
    SET NOEXEC ON;
END;
GO

-- A patient's requests across dates, newest first: the one with this transaction number, or
-- those whose patient's name begins with the text (two characters at least; what is typed is
-- text, its LIKE wildcards escaped). At most 200, and a 201st when more match, so that the
-- client can say so. Reads only.
CREATE OR ALTER PROCEDURE dbo.sp_FindORSchedule
    (@SearchText nvarchar(max))
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @Key nvarchar(max) = LTRIM(RTRIM(@SearchText));
    DECLARE @Number int = TRY_CONVERT(int, @Key);
    DECLARE @Prefix nvarchar(max) = REPLACE(REPLACE(REPLACE(@Key, N'[', N'[[]'), N'%', N'[%]'),
        N'_', N'[_]') + N'%';
    -- Either condition is read from the name's index alone, which carries the table's key.
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
    WHERE (@Number IS NOT NULL AND s.TransNum = @Number)
       OR (@Number IS NULL AND LEN(@Key) >= 2 AND s.PatientName LIKE @Prefix)
    ORDER BY s.OperationDate DESC, s.TransNum DESC;
END;
GO

DECLARE @Name sysname = N'sp_GetORScheduleByNum';
IF OBJECT_ID(N'dbo.' + @Name) IS NULL
BEGIN
    EXEC (N'CREATE PROCEDURE dbo.' + @Name + N' AS RETURN;');
    EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA', N'dbo',
        N'PROCEDURE', @Name;
END
ELSE IF NOT EXISTS (SELECT 1 FROM sys.extended_properties WHERE class = 1
                    AND major_id = OBJECT_ID(N'dbo.' + @Name) AND name = N'orscheduler')
BEGIN
    RAISERROR (N'dbo.%s is this site''s own: it is left as it is, and nothing after it is made.',
        16, 1, @Name);
    SET NOEXEC ON;
END;
GO

-- One request by its transaction number, wherever its date now lies: the 31 columns of the
-- request list, in the list's order; no row when no request has the number (a text that is no
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
        DateRevoked
    FROM dbo.tbORSchedule
    WHERE TransNum = @Number;
END;
GO

DECLARE @Name sysname = N'fnDoctorName';
IF OBJECT_ID(N'dbo.' + @Name) IS NULL
BEGIN
    EXEC (N'CREATE FUNCTION dbo.' + @Name + N'() RETURNS int AS BEGIN RETURN 0; END;');
    EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA', N'dbo',
        N'FUNCTION', @Name;
END
ELSE IF NOT EXISTS (SELECT 1 FROM sys.extended_properties WHERE class = 1
                    AND major_id = OBJECT_ID(N'dbo.' + @Name) AND name = N'orscheduler')
BEGIN
    RAISERROR (N'dbo.%s is this site''s own: it is left as it is, and nothing after it is made.',
        16, 1, @Name);
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

DECLARE @Name sysname = N'fnStaffName';
IF OBJECT_ID(N'dbo.' + @Name) IS NULL
BEGIN
    EXEC (N'CREATE FUNCTION dbo.' + @Name + N'() RETURNS int AS BEGIN RETURN 0; END;');
    EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA', N'dbo',
        N'FUNCTION', @Name;
END
ELSE IF NOT EXISTS (SELECT 1 FROM sys.extended_properties WHERE class = 1
                    AND major_id = OBJECT_ID(N'dbo.' + @Name) AND name = N'orscheduler')
BEGIN
    RAISERROR (N'dbo.%s is this site''s own: it is left as it is, and nothing after it is made.',
        16, 1, @Name);
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

DECLARE @Name sysname = N'sp_GetORSchedule';
IF OBJECT_ID(N'dbo.' + @Name) IS NULL
BEGIN
    EXEC (N'CREATE PROCEDURE dbo.' + @Name + N' AS RETURN;');
    EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA', N'dbo',
        N'PROCEDURE', @Name;
END
ELSE IF NOT EXISTS (SELECT 1 FROM sys.extended_properties WHERE class = 1
                    AND major_id = OBJECT_ID(N'dbo.' + @Name) AND name = N'orscheduler')
BEGIN
    RAISERROR (N'dbo.%s is this site''s own: it is left as it is, and nothing after it is made.',
        16, 1, @Name);
    SET NOEXEC ON;
END;
GO

-- The requests of one date (any time of that day), by time: the 31 columns of the request
-- list, in the list's order. The date is read month/day/year, whatever the login's language.
CREATE OR ALTER PROCEDURE dbo.sp_GetORSchedule
    (@ScheduleDate nvarchar(max))
AS
BEGIN
    SET NOCOUNT ON;
    SET DATEFORMAT mdy;
    DECLARE @Day date = CONVERT(datetime, LTRIM(RTRIM(@ScheduleDate)));
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
    WHERE s.OperationDate >= @Day
      AND s.OperationDate < DATEADD(day, 1, @Day)
    ORDER BY s.OperationDate, s.TransNum;
END;
GO

DECLARE @Name sysname = N'sp_List_ORRooms';
IF OBJECT_ID(N'dbo.' + @Name) IS NULL
BEGIN
    EXEC (N'CREATE PROCEDURE dbo.' + @Name + N' AS RETURN;');
    EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA', N'dbo',
        N'PROCEDURE', @Name;
END
ELSE IF NOT EXISTS (SELECT 1 FROM sys.extended_properties WHERE class = 1
                    AND major_id = OBJECT_ID(N'dbo.' + @Name) AND name = N'orscheduler')
BEGIN
    RAISERROR (N'dbo.%s is this site''s own: it is left as it is, and nothing after it is made.',
        16, 1, @Name);
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

DECLARE @Name sysname = N'sp_Get_ORRoom';
IF OBJECT_ID(N'dbo.' + @Name) IS NULL
BEGIN
    EXEC (N'CREATE PROCEDURE dbo.' + @Name + N' AS RETURN;');
    EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA', N'dbo',
        N'PROCEDURE', @Name;
END
ELSE IF NOT EXISTS (SELECT 1 FROM sys.extended_properties WHERE class = 1
                    AND major_id = OBJECT_ID(N'dbo.' + @Name) AND name = N'orscheduler')
BEGIN
    RAISERROR (N'dbo.%s is this site''s own: it is left as it is, and nothing after it is made.',
        16, 1, @Name);
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

DECLARE @Name sysname = N'Save_OR_Schedule';
IF OBJECT_ID(N'dbo.' + @Name) IS NULL
BEGIN
    EXEC (N'CREATE PROCEDURE dbo.' + @Name + N' AS RETURN;');
    EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA', N'dbo',
        N'PROCEDURE', @Name;
END
ELSE IF NOT EXISTS (SELECT 1 FROM sys.extended_properties WHERE class = 1
                    AND major_id = OBJECT_ID(N'dbo.' + @Name) AND name = N'orscheduler')
BEGIN
    RAISERROR (N'dbo.%s is this site''s own: it is left as it is, and nothing after it is made.',
        16, 1, @Name);
    SET NOEXEC ON;
END;
GO

-- Stores a request: a new one when the transaction number is empty, else a change of that
-- request (its status and who confirmed or revoked it stay). Staff are sent by code; their
-- names are stored beside the codes. An empty time of saving means now. Both dates are read
-- month/day/year, whatever the login's language.
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

    IF EXISTS (SELECT 1 FROM dbo.tbORLogin) AND NOT EXISTS (SELECT 1 FROM dbo.tbORLogin
               WHERE LoginName = ORIGINAL_LOGIN() AND EmployeeID = @EncodedBy)
    BEGIN
        DECLARE @NotYours nvarchar(2048) = CONCAT(N'The login ', ORIGINAL_LOGIN(),
            N' may not act as employee ', LEFT(@EncodedBy, 100),
            N': SCHEDULE..tbORLogin maps it to another employee or to none. Nothing was changed.');
        THROW 50003, @NotYours, 1;
    END;

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
        THROW 50000, @NotANumber, 1;
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
        THROW 50000, @Missing, 1;
    END;
END;
GO

DECLARE @Name sysname = N'sp_UpdateSchedules';
IF OBJECT_ID(N'dbo.' + @Name) IS NULL
BEGIN
    EXEC (N'CREATE PROCEDURE dbo.' + @Name + N' AS RETURN;');
    EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA', N'dbo',
        N'PROCEDURE', @Name;
END
ELSE IF NOT EXISTS (SELECT 1 FROM sys.extended_properties WHERE class = 1
                    AND major_id = OBJECT_ID(N'dbo.' + @Name) AND name = N'orscheduler')
BEGIN
    RAISERROR (N'dbo.%s is this site''s own: it is left as it is, and nothing after it is made.',
        16, 1, @Name);
    SET NOEXEC ON;
END;
GO

-- Confirms ("C") or revokes ("R") a request, recording who did it (by code and by name) and
-- when, by the server's clock.
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
        THROW 50000, @Unknown, 1;
    END;
    DECLARE @Number int = TRY_CONVERT(int, LTRIM(RTRIM(@TransNum)));
    IF @Number IS NULL
    BEGIN
        DECLARE @NotANumber nvarchar(2048) = CONCAT(N'Conversion failed when converting the '
            + N'varchar value ''', LEFT(@TransNum, 100), N''' to data type int.');
        THROW 50000, @NotANumber, 1;
    END;
    IF EXISTS (SELECT 1 FROM dbo.tbORLogin) AND NOT EXISTS (SELECT 1 FROM dbo.tbORLogin
               WHERE LoginName = ORIGINAL_LOGIN() AND EmployeeID = @EmployeeCode)
    BEGIN
        DECLARE @NotYours nvarchar(2048) = CONCAT(N'The login ', ORIGINAL_LOGIN(),
            N' may not act as employee ', LEFT(@EmployeeCode, 100),
            N': SCHEDULE..tbORLogin maps it to another employee or to none. Nothing was changed.');
        THROW 50003, @NotYours, 1;
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
        THROW 50000, @Missing, 1;
    END;
END;
GO

DECLARE @Name sysname = N'sp_List_Of_ConfirmedSchedules_ORScheduler';
IF OBJECT_ID(N'dbo.' + @Name) IS NULL
BEGIN
    EXEC (N'CREATE PROCEDURE dbo.' + @Name + N' AS RETURN;');
    EXEC sys.sp_addextendedproperty N'orscheduler', N'made by its scripts', N'SCHEMA', N'dbo',
        N'PROCEDURE', @Name;
END
ELSE IF NOT EXISTS (SELECT 1 FROM sys.extended_properties WHERE class = 1
                    AND major_id = OBJECT_ID(N'dbo.' + @Name) AND name = N'orscheduler')
BEGIN
    RAISERROR (N'dbo.%s is this site''s own: it is left as it is, and nothing after it is made.',
        16, 1, @Name);
    SET NOEXEC ON;
END;
GO

-- The operations confirmed for the server's current day, by time, for the board. A status
-- counts as confirmed as the client reads it: "C" once the blanks around it are removed, in
-- upper case.
CREATE OR ALTER PROCEDURE dbo.sp_List_Of_ConfirmedSchedules_ORScheduler
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @Today date = CONVERT(date, GETDATE());
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
    WHERE s.OperationDate >= @Today
      AND s.OperationDate < DATEADD(day, 1, @Today)
      AND LTRIM(RTRIM(s.Status)) COLLATE Latin1_General_BIN = N'C'
    ORDER BY s.OperationDate, s.TransNum;
END;
GO
