-- Runs every statement text the client sends, as the client sends it, so that a site sees
-- that its server answers the client. Run it with the client's own login, so that it has
-- the role's grants and nothing more, e.g.
--   sqlcmd -b -I -S sqlhost -U orclient -P ... -i 06-check-client-calls.sql
-- Each step prints its name and its rows. The first error of any step stops the script
-- right after the step's name: the procedures refuse with THROW, which ends the batch,
-- XACT_ABORT ends it at a run-time error, and every step ends it at any other error or at
-- a statement that came out empty. The last line is printed only when every step ran.
-- The test request it saves, edits, confirms, revokes and reads is found by the number
-- its save made in this session, and rolled back at the end.
-- Made by `make sqlserver-scripts` from the client's statement builders; do not edit.

SET NOCOUNT ON;
SET XACT_ABORT ON;
DECLARE @TODAY nvarchar(10) = CONVERT(nvarchar(10), GETDATE(), 101);
DECLARE @NOW nvarchar(30) = @TODAY + N' ' + RIGHT(CONVERT(nvarchar(30), GETDATE(), 22), 11);
DECLARE @ROOMID nvarchar(20), @ROOMNAME nvarchar(100), @DOCTOR nvarchar(20),
        @NURSE nvarchar(20), @TRANSNUM nvarchar(20), @Sql nvarchar(max);
PRINT N'Login ' + SUSER_SNAME() + N', language ' + @@LANGUAGE;
SELECT TOP (1) @ROOMID = RoomID, @ROOMNAME = RoomName FROM SCHEDULE.dbo.tbOrRoom
    ORDER BY RoomID;
SELECT TOP (1) @DOCTOR = DoctorCode FROM SCHEDULE.dbo.tbDoctor ORDER BY DoctorCode;
SELECT TOP (1) @NURSE = employeeid FROM [PASSWORD].dbo.tbpasswordmain
    WHERE originaldepartment = N'29' ORDER BY employeeid;
IF @ROOMID IS NULL OR @DOCTOR IS NULL OR @NURSE IS NULL
    THROW 50000, N'The check needs a room, a doctor and an OR nurse (department 29).', 1;
BEGIN TRANSACTION;
PRINT N'1. server clock';
SET @Sql = N'select getdate() as TDate';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'2. operating rooms';
SET @Sql = N'SCHEDULE..sp_List_ORRooms';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'3. requests of today';
SET @Sql = REPLACE(N'SCHEDULE..sp_GetORSchedule ''{TODAY}''', N'{TODAY}', REPLACE(@TODAY, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'4. room name of a code';
SET @Sql = REPLACE(N'select RoomID, RoomName from schedule..tbOrRoom where roomid = ''{ROOMID}''', N'{ROOMID}', REPLACE(@ROOMID, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'5. room code of a name';
SET @Sql = REPLACE(N'SCHEDULE..sp_Get_ORRoom ''{ROOMNAME}''', N'{ROOMNAME}', REPLACE(@ROOMNAME, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'6. all OR staff';
SET @Sql = N'select DISTINCT employeeid AS CODE,isnull(lastname,'''') + '' ,'' +isnull(firstname,'''') + '' '' + isnull(middlename,'''') AS [OR STAFF] from PASSWORD..tbpasswordmain AS tbpasswordmain where originaldepartment = ''29'' order by [OR STAFF]';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'7. OR staff by key';
SET @Sql = N'select DISTINCT employeeid AS CODE,isnull(lastname,'''') + '' ,'' +isnull(firstname,'''') + '' '' + isnull(middlename,'''') AS [OR STAFF] from PASSWORD..tbpasswordmain AS tbpasswordmain where originaldepartment = ''29''  and (lastname like ''A%'' or employeeid = ''A'') order by [OR STAFF]';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'8. doctor search';
SET @Sql = N'select DoctorCode AS CODE, LastName AS [LAST NAME], FirstName AS [FIRST NAME], Specialty AS SPECIALTY from SCHEDULE..tbDoctor where LastName like ''A%'' or DoctorCode = ''A'' order by LastName, FirstName';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'9. save a new request';
SET @Sql = REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(N'SCHEDULE..Save_OR_Schedule ''CLIENT CHECK, ROLLED BACK'',''{ROOMID}'',''{DOCTOR}'',''{DOCTOR}'',''{TODAY} 11:30:00 PM'',''{NURSE}'',''SAVED BY THE SITE CHECK'',''{NURSE}'',''{NURSE}'','''','''','''','''',''SITE CHECK'',''301-A'', ''{NOW}'','''',''''', N'{TODAY}', REPLACE(@TODAY, N'''', N'''''')), N'{NOW}', REPLACE(@NOW, N'''', N'''''')), N'{ROOMID}', REPLACE(@ROOMID, N'''', N'''''')), N'{DOCTOR}', REPLACE(@DOCTOR, N'''', N'''''')), N'{NURSE}', REPLACE(@NURSE, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
SET @TRANSNUM = CONVERT(nvarchar(20), @@IDENTITY);
IF @TRANSNUM IS NULL
    THROW 50000, N'The save made no transaction number.', 1;
PRINT N'10. save a change of it';
SET @Sql = REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(N'SCHEDULE..Save_OR_Schedule ''CLIENT CHECK, ROLLED BACK'',''{ROOMID}'',''{DOCTOR}'',''{DOCTOR}'',''{TODAY} 11:30:00 PM'',''{NURSE}'',''EDITED BY THE SITE CHECK'',''{NURSE}'',''{NURSE}'','''','''','''','''',''SITE CHECK'',''301-A'', ''{NOW}'',''{TRANSNUM}'',''''', N'{TODAY}', REPLACE(@TODAY, N'''', N'''''')), N'{NOW}', REPLACE(@NOW, N'''', N'''''')), N'{ROOMID}', REPLACE(@ROOMID, N'''', N'''''')), N'{DOCTOR}', REPLACE(@DOCTOR, N'''', N'''''')), N'{NURSE}', REPLACE(@NURSE, N'''', N'''''')), N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'11. confirm it';
SET @Sql = REPLACE(REPLACE(N'Schedule..sp_UpdateSchedules ''C'',''{NURSE}'', ''{TRANSNUM}''', N'{NURSE}', REPLACE(@NURSE, N'''', N'''''')), N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'12. requests of today, with it confirmed';
SET @Sql = REPLACE(N'SCHEDULE..sp_GetORSchedule ''{TODAY}''', N'{TODAY}', REPLACE(@TODAY, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'13. the board listing';
SET @Sql = N'Schedule..sp_List_Of_ConfirmedSchedules_ORScheduler';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'14. revoke it';
SET @Sql = REPLACE(REPLACE(N'Schedule..sp_UpdateSchedules ''R'',''{NURSE}'', ''{TRANSNUM}''', N'{NURSE}', REPLACE(@NURSE, N'''', N'''''')), N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'15. the request by its number';
SET @Sql = REPLACE(N'SCHEDULE..sp_GetORScheduleByNum ''{TRANSNUM}''', N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
ROLLBACK TRANSACTION;
PRINT N'Every statement of the client ran; the test request is gone.';
GO
