-- Runs every statement text the client sends, as the client sends it, so that a site sees
-- that its server answers the client. Run it with the client's own login, e.g.
--   sqlcmd -S sqlhost -U orclient -P ... -i 06-check-client-calls.sql
-- Each step prints its name and its rows; any error stops the script and names the step.
-- The test request it saves, edits, confirms and revokes is rolled back at the end.
-- Made by `make sqlserver-scripts` from the client's statement builders; do not edit.

SET NOCOUNT ON;
SET XACT_ABORT ON;
DECLARE @Language sysname = @@LANGUAGE;
IF (SELECT dateformat FROM sys.syslanguages WHERE name = @Language) <> N'mdy'
BEGIN
    RAISERROR (N'Dates are read by the language %s, not as month/day/year: use us_english.',
               16, 1, @Language);
    RETURN;
END;
DECLARE @TODAY nvarchar(10) = CONVERT(nvarchar(10), GETDATE(), 101);
DECLARE @NOW nvarchar(30) = @TODAY + N' ' + RIGHT(CONVERT(nvarchar(30), GETDATE(), 22), 11);
DECLARE @ROOMID nvarchar(20), @ROOMNAME nvarchar(100), @DOCTOR nvarchar(20),
        @NURSE nvarchar(20), @TRANSNUM nvarchar(20), @Sql nvarchar(max);
SELECT TOP (1) @ROOMID = RoomID, @ROOMNAME = RoomName FROM SCHEDULE.dbo.tbOrRoom
    ORDER BY RoomSeq;
SELECT TOP (1) @DOCTOR = DoctorCode FROM SCHEDULE.dbo.tbDoctor ORDER BY DoctorCode;
SELECT TOP (1) @NURSE = employeeid FROM [PASSWORD].dbo.tbpasswordmain
    WHERE originaldepartment = N'29' ORDER BY employeeid;
IF @ROOMID IS NULL OR @DOCTOR IS NULL OR @NURSE IS NULL
BEGIN
    RAISERROR (N'The check needs a room, a doctor and an OR nurse (department 29).', 16, 1);
    RETURN;
END;
BEGIN TRANSACTION;
PRINT N'1. server clock';
SET @Sql = N'select getdate() as TDate';
EXEC (@Sql);
PRINT N'2. operating rooms';
SET @Sql = N'SCHEDULE..sp_List_ORRooms';
EXEC (@Sql);
PRINT N'3. requests of today';
SET @Sql = REPLACE(N'SCHEDULE..sp_GetORSchedule ''{TODAY}''', N'{TODAY}', REPLACE(@TODAY, N'''', N''''''));
EXEC (@Sql);
PRINT N'4. room name of a code';
SET @Sql = REPLACE(N'select RoomID, RoomName from schedule..tbOrRoom where roomid = ''{ROOMID}''', N'{ROOMID}', REPLACE(@ROOMID, N'''', N''''''));
EXEC (@Sql);
PRINT N'5. room code of a name';
SET @Sql = REPLACE(N'SCHEDULE..sp_Get_ORRoom ''{ROOMNAME}''', N'{ROOMNAME}', REPLACE(@ROOMNAME, N'''', N''''''));
EXEC (@Sql);
PRINT N'6. all OR staff';
SET @Sql = N'select DISTINCT employeeid AS CODE,isnull(lastname,'''') + '' ,'' +isnull(firstname,'''') + '' '' + isnull(middlename,'''') AS [OR STAFF] from PASSWORD..tbpasswordmain AS tbpasswordmain where originaldepartment = ''29'' order by [OR STAFF]';
EXEC (@Sql);
PRINT N'7. OR staff by key';
SET @Sql = N'select DISTINCT employeeid AS CODE,isnull(lastname,'''') + '' ,'' +isnull(firstname,'''') + '' '' + isnull(middlename,'''') AS [OR STAFF] from PASSWORD..tbpasswordmain AS tbpasswordmain where originaldepartment = ''29''  and (lastname like ''A%'' or employeeid = ''A'') order by [OR STAFF]';
EXEC (@Sql);
PRINT N'8. doctor search';
SET @Sql = N'select DoctorCode AS CODE, LastName AS [LAST NAME], FirstName AS [FIRST NAME], Specialty AS SPECIALTY from SCHEDULE..tbDoctor where LastName like ''A%'' or DoctorCode = ''A'' order by LastName, FirstName';
EXEC (@Sql);
PRINT N'9. save a new request';
SET @Sql = REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(N'SCHEDULE..Save_OR_Schedule ''CLIENT CHECK, ROLLED BACK'',''{ROOMID}'',''{DOCTOR}'',''{DOCTOR}'',''{TODAY} 11:30:00 PM'',''{NURSE}'',''SAVED BY THE SITE CHECK'',''{NURSE}'',''{NURSE}'','''','''','''','''',''SITE CHECK'',''301-A'', ''{NOW}'','''',''''', N'{TODAY}', REPLACE(@TODAY, N'''', N'''''')), N'{NOW}', REPLACE(@NOW, N'''', N'''''')), N'{ROOMID}', REPLACE(@ROOMID, N'''', N'''''')), N'{DOCTOR}', REPLACE(@DOCTOR, N'''', N'''''')), N'{NURSE}', REPLACE(@NURSE, N'''', N''''''));
EXEC (@Sql);
SELECT @TRANSNUM = CONVERT(nvarchar(20), MAX(TransNum)) FROM SCHEDULE.dbo.tbORSchedule;
PRINT N'10. save a change of it';
SET @Sql = REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(N'SCHEDULE..Save_OR_Schedule ''CLIENT CHECK, ROLLED BACK'',''{ROOMID}'',''{DOCTOR}'',''{DOCTOR}'',''{TODAY} 11:30:00 PM'',''{NURSE}'',''EDITED BY THE SITE CHECK'',''{NURSE}'',''{NURSE}'','''','''','''','''',''SITE CHECK'',''301-A'', ''{NOW}'',''{TRANSNUM}'',''''', N'{TODAY}', REPLACE(@TODAY, N'''', N'''''')), N'{NOW}', REPLACE(@NOW, N'''', N'''''')), N'{ROOMID}', REPLACE(@ROOMID, N'''', N'''''')), N'{DOCTOR}', REPLACE(@DOCTOR, N'''', N'''''')), N'{NURSE}', REPLACE(@NURSE, N'''', N'''''')), N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N''''''));
EXEC (@Sql);
PRINT N'11. confirm it';
SET @Sql = REPLACE(REPLACE(N'Schedule..sp_UpdateSchedules ''C'',''{NURSE}'', ''{TRANSNUM}''', N'{NURSE}', REPLACE(@NURSE, N'''', N'''''')), N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N''''''));
EXEC (@Sql);
PRINT N'12. requests of today, with it confirmed';
SET @Sql = REPLACE(N'SCHEDULE..sp_GetORSchedule ''{TODAY}''', N'{TODAY}', REPLACE(@TODAY, N'''', N''''''));
EXEC (@Sql);
PRINT N'13. the board listing';
SET @Sql = N'Schedule..sp_List_Of_ConfirmedSchedules_ORScheduler';
EXEC (@Sql);
PRINT N'14. revoke it';
SET @Sql = REPLACE(REPLACE(N'Schedule..sp_UpdateSchedules ''R'',''{NURSE}'', ''{TRANSNUM}''', N'{NURSE}', REPLACE(@NURSE, N'''', N'''''')), N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N''''''));
EXEC (@Sql);
ROLLBACK TRANSACTION;
PRINT N'Every statement of the client ran; the test request is gone.';
GO
