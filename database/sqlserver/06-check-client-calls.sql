-- Runs every statement text the client sends, as the client sends it, so that a site sees
-- that its server answers the client. Run it with the client's own login, so that it has
-- the role's grants and nothing more, its password in SQLCMDPASSWORD (where sqlcmd reads it;
-- never -P, which every user of the machine sees among its processes), e.g.
--   read -rs SQLCMDPASSWORD; export SQLCMDPASSWORD
--   sqlcmd -b -I -S sqlhost -U orclient -i 06-check-client-calls.sql
-- Each step prints its name and its rows. The first error of any step stops the script
-- right after the step's name: the procedures refuse with THROW, which ends the batch,
-- XACT_ABORT ends it at a run-time error, and every step ends it at any other error or at
-- a statement that came out empty. The last line is printed only when every step ran.
-- The test request it saves, edits, confirms and revokes is found in the listing of today by
-- the mark of this run in its remarks, and rolled back at the end.
-- It says which employee the server takes the login for, and whether it enforces that. Where
-- the login is mapped, it saves as that employee; where the server enforces it, it last tries
-- a save in another employee's name, which must be refused (and is rolled back as well).
-- Made by `make sqlserver-scripts` from the client's statement builders; do not edit.

SET NOCOUNT ON;
SET XACT_ABORT ON;
DECLARE @TODAY nvarchar(10) = CONVERT(nvarchar(10), GETDATE(), 101);
DECLARE @NOW nvarchar(30) = @TODAY + N' ' + RIGHT(CONVERT(nvarchar(30), GETDATE(), 22), 11);
DECLARE @MARK nvarchar(36) = CONVERT(nvarchar(36), NEWID());
DECLARE @ROOMID nvarchar(max), @ROOMNAME nvarchar(max), @DOCTOR nvarchar(max),
        @NURSE nvarchar(max), @TRANSNUM nvarchar(max), @EMPLOYEE nvarchar(max),
        @ENFORCED nvarchar(max), @USER nvarchar(max), @FORGED nvarchar(max),
        @REFUSAL nvarchar(max),
        @Sql nvarchar(max);
DROP TABLE IF EXISTS #Login, #Listed;
CREATE TABLE #Login (LoginName nvarchar(max), EmployeeID nvarchar(max), Enforced nvarchar(max));
CREATE TABLE #Listed (PatientName nvarchar(max), ProcedureName nvarchar(max), RoomNo nvarchar(max), ORRoomID nvarchar(max), SurgeonCode nvarchar(max), Surgeon nvarchar(max), AnesCode nvarchar(max), Anesthesiologist nvarchar(max), OperationDate nvarchar(max), Remarks nvarchar(max), TransNum nvarchar(max), CNurseCode nvarchar(max), CNurse nvarchar(max), SNurseCode nvarchar(max), SNurse nvarchar(max), SNurse2Code nvarchar(max), SNurse2 nvarchar(max), Surgeon1Code nvarchar(max), AsstSurgeon1 nvarchar(max), Surgeon2Code nvarchar(max), AsstSurgeon2 nvarchar(max), Anes2Code nvarchar(max), AsstAnesthesiologist nvarchar(max), AsstDocCode nvarchar(max), AsstDoctor nvarchar(max), EncodedBy nvarchar(max), Status nvarchar(max), ConfirmedBy nvarchar(max), DateConfirmed nvarchar(max), RevokedBy nvarchar(max), DateRevoked nvarchar(max));
PRINT N'Login ' + SUSER_SNAME() + N', language ' + @@LANGUAGE;
SELECT TOP (1) @ROOMID = RoomID, @ROOMNAME = RoomName FROM SCHEDULE.dbo.tbOrRoom
    ORDER BY RoomID;
SELECT TOP (1) @DOCTOR = DoctorCode FROM SCHEDULE.dbo.tbDoctor ORDER BY DoctorCode;
SELECT TOP (1) @NURSE = employeeid FROM [PASSWORD].dbo.tbpasswordmain
    WHERE originaldepartment = N'29' ORDER BY employeeid;
IF @ROOMID IS NULL OR @DOCTOR IS NULL OR @NURSE IS NULL
    THROW 50000, N'The check needs a room, a doctor and an OR nurse (department 29).', 1;
PRINT N'1. the login''s employee';
SET @Sql = N'SCHEDULE..sp_GetORLoginEmployee';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (N'INSERT INTO #Login EXEC ' + @Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
SELECT * FROM #Login;
SELECT @EMPLOYEE = EmployeeID, @ENFORCED = Enforced FROM #Login;
SET @USER = ISNULL(@EMPLOYEE, @NURSE);
SET @FORGED = CASE WHEN @USER = N'X' THEN N'Y' ELSE N'X' END;
IF @ENFORCED = N'1' AND @EMPLOYEE IS NULL
    THROW 50000, N'The server enforces who acted, and this login is mapped to no employee: it may not save, confirm or revoke, and the client refuses to start with it. Map it (07-map-login.sql), or run the check with a mapped login.', 1;
IF @EMPLOYEE IS NULL
    PRINT N'Mode: one login for many. This login is mapped to no employee (SCHEDULE..tbORLogin)'
        + N': the client sends the code its workstation is set to, and the server stores it '
        + N'as sent.';
ELSE IF @ENFORCED = N'1'
    PRINT N'Mode: each login its employee, enforced. This login is employee ' + @EMPLOYEE
        + N', the only code the server takes from it, whichever procedure writes.';
ELSE
    PRINT N'Mode: each login its employee, not enforced. This login is employee ' + @EMPLOYEE
        + N', the code the client sends; the server would store another code a program '
        + N'sent, until 07-map-login.sql switches the enforcement on.';
BEGIN TRANSACTION;
PRINT N'2. server clock';
SET @Sql = N'select getdate() as TDate';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'3. operating rooms';
SET @Sql = N'SCHEDULE..sp_List_ORRooms';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'4. requests of today';
SET @Sql = REPLACE(N'SCHEDULE..sp_GetORSchedule ''{TODAY}''', N'{TODAY}', REPLACE(@TODAY, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'5. room name of a code';
SET @Sql = REPLACE(N'select RoomID, RoomName from schedule..tbOrRoom where roomid = ''{ROOMID}''', N'{ROOMID}', REPLACE(@ROOMID, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'6. room code of a name';
SET @Sql = REPLACE(N'SCHEDULE..sp_Get_ORRoom ''{ROOMNAME}''', N'{ROOMNAME}', REPLACE(@ROOMNAME, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'7. all OR staff';
SET @Sql = N'select DISTINCT employeeid AS CODE,isnull(lastname,'''') + '' ,'' +isnull(firstname,'''') + '' '' + isnull(middlename,'''') AS [OR STAFF] from PASSWORD..tbpasswordmain AS tbpasswordmain where originaldepartment = ''29'' order by [OR STAFF]';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'8. OR staff by key';
SET @Sql = N'select DISTINCT employeeid AS CODE,isnull(lastname,'''') + '' ,'' +isnull(firstname,'''') + '' '' + isnull(middlename,'''') AS [OR STAFF] from PASSWORD..tbpasswordmain AS tbpasswordmain where originaldepartment = ''29''  and (lastname like ''A%'' or employeeid = ''A'') order by [OR STAFF]';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'9. doctor search';
SET @Sql = N'select DoctorCode AS CODE, LastName AS [LAST NAME], FirstName AS [FIRST NAME], Specialty AS SPECIALTY from SCHEDULE..tbDoctor where LastName like ''A%'' or DoctorCode = ''A'' order by LastName, FirstName';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'10. save a new request';
SET @Sql = REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(N'SCHEDULE..Save_OR_Schedule ''CLIENT CHECK, ROLLED BACK'',''{ROOMID}'',''{DOCTOR}'',''{DOCTOR}'',''{TODAY} 11:30:00 PM'',''{USER}'',''SAVED BY THE SITE CHECK {MARK}'',''{NURSE}'',''{NURSE}'','''','''','''','''',''SITE CHECK'',''301-A'', ''{NOW}'','''',''''', N'{TODAY}', REPLACE(@TODAY, N'''', N'''''')), N'{NOW}', REPLACE(@NOW, N'''', N'''''')), N'{ROOMID}', REPLACE(@ROOMID, N'''', N'''''')), N'{DOCTOR}', REPLACE(@DOCTOR, N'''', N'''''')), N'{NURSE}', REPLACE(@NURSE, N'''', N'''''')), N'{USER}', REPLACE(@USER, N'''', N'''''')), N'{MARK}', REPLACE(@MARK, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'11. requests of today, with it saved';
SET @Sql = REPLACE(N'SCHEDULE..sp_GetORSchedule ''{TODAY}''', N'{TODAY}', REPLACE(@TODAY, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (N'INSERT INTO #Listed EXEC ' + @Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
SELECT * FROM #Listed;
SELECT @TRANSNUM = TransNum FROM #Listed WHERE Remarks = N'SAVED BY THE SITE CHECK ' + @MARK;
IF @TRANSNUM IS NULL
    THROW 50000, N'The saved request is not listed on today''s date.', 1;
PRINT N'12. save a change of it';
SET @Sql = REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(N'SCHEDULE..Save_OR_Schedule ''CLIENT CHECK, ROLLED BACK'',''{ROOMID}'',''{DOCTOR}'',''{DOCTOR}'',''{TODAY} 11:30:00 PM'',''{USER}'',''EDITED BY THE SITE CHECK'',''{NURSE}'',''{NURSE}'','''','''','''','''',''SITE CHECK'',''301-A'', ''{NOW}'',''{TRANSNUM}'',''''', N'{TODAY}', REPLACE(@TODAY, N'''', N'''''')), N'{NOW}', REPLACE(@NOW, N'''', N'''''')), N'{ROOMID}', REPLACE(@ROOMID, N'''', N'''''')), N'{DOCTOR}', REPLACE(@DOCTOR, N'''', N'''''')), N'{NURSE}', REPLACE(@NURSE, N'''', N'''''')), N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N'''''')), N'{USER}', REPLACE(@USER, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'13. set its expected duration';
SET @Sql = REPLACE(N'SCHEDULE..sp_SetORScheduleDuration ''{TRANSNUM}'', ''90''', N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'14. durations of today, with its duration';
SET @Sql = REPLACE(N'SCHEDULE..sp_GetORScheduleDurations ''{TODAY}''', N'{TODAY}', REPLACE(@TODAY, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'15. open a check';
BEGIN TRANSACTION;
PRINT N'16. the request by its number, held for the check';
SET @Sql = REPLACE(N'SCHEDULE..sp_GetORScheduleByNum ''{TRANSNUM}'', ''UPDLOCK''', N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'17. confirm it';
SET @Sql = REPLACE(REPLACE(N'Schedule..sp_UpdateSchedules ''C'',''{USER}'', ''{TRANSNUM}''', N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N'''''')), N'{USER}', REPLACE(@USER, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'18. commit the check';
COMMIT TRANSACTION;
PRINT N'19. requests of today, with it confirmed';
SET @Sql = REPLACE(N'SCHEDULE..sp_GetORSchedule ''{TODAY}''', N'{TODAY}', REPLACE(@TODAY, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'20. the board listing';
SET @Sql = N'Schedule..sp_List_Of_ConfirmedSchedules_ORScheduler';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'21. revoke it';
SET @Sql = REPLACE(REPLACE(N'Schedule..sp_UpdateSchedules ''R'',''{USER}'', ''{TRANSNUM}''', N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N'''''')), N'{USER}', REPLACE(@USER, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'22. find it by its number';
SET @Sql = REPLACE(N'SCHEDULE..sp_FindORSchedule ''{TRANSNUM}''', N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'23. find it by its patient';
SET @Sql = N'SCHEDULE..sp_FindORSchedule ''CLIENT CHECK''';
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'24. the request by its number';
SET @Sql = REPLACE(N'SCHEDULE..sp_GetORScheduleByNum ''{TRANSNUM}'', ''''', N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'25. clear its expected duration';
SET @Sql = REPLACE(N'SCHEDULE..sp_SetORScheduleDuration ''{TRANSNUM}'', ''''', N'{TRANSNUM}', REPLACE(@TRANSNUM, N'''', N''''''));
IF NULLIF(LTRIM(@Sql), N'') IS NULL
    THROW 50000, N'The statement of this step came out empty.', 1;
EXEC (@Sql);
IF @@ERROR <> 0
    THROW 50000, N'The statement of this step failed.', 1;
PRINT N'26. roll it all back, as after a failed check';
IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION;
PRINT N'27. a save in another employee''s name, which must be refused';
IF @ENFORCED <> N'1'
    PRINT N'Not tried: the server does not enforce who acted.';
ELSE
BEGIN
    SET @Sql = REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(N'SCHEDULE..Save_OR_Schedule ''CLIENT CHECK, ROLLED BACK'',''{ROOMID}'',''{DOCTOR}'',''{DOCTOR}'',''{TODAY} 11:30:00 PM'',''{FORGED}'',''SAVED BY THE SITE CHECK {MARK}'',''{NURSE}'',''{NURSE}'','''','''','''','''',''SITE CHECK'',''301-A'', ''{NOW}'','''',''''', N'{TODAY}', REPLACE(@TODAY, N'''', N'''''')), N'{NOW}', REPLACE(@NOW, N'''', N'''''')), N'{ROOMID}', REPLACE(@ROOMID, N'''', N'''''')), N'{DOCTOR}', REPLACE(@DOCTOR, N'''', N'''''')), N'{NURSE}', REPLACE(@NURSE, N'''', N'''''')), N'{FORGED}', REPLACE(@FORGED, N'''', N'''''')), N'{MARK}', REPLACE(@MARK, N'''', N''''''));
    EXEC sp_executesql N'BEGIN TRANSACTION;
        BEGIN TRY EXEC (@Sql); END TRY
        BEGIN CATCH SET @Refusal = CONCAT(ERROR_NUMBER(), N'': '', ERROR_MESSAGE()); END CATCH;
        IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION;',
        N'@Sql nvarchar(max), @Refusal nvarchar(max) OUTPUT', @Sql, @REFUSAL OUTPUT;
    IF @REFUSAL IS NULL OR @REFUSAL NOT LIKE N'5____: %'
    BEGIN
        SET @REFUSAL = CONCAT(N'A save in another employee''s name was not refused: ',
            ISNULL(@REFUSAL, N'it was taken (and rolled back)'), N'.');
        THROW 50000, @REFUSAL, 1;
    END;
    PRINT N'Refused, as it must be: ' + @REFUSAL;
END;
PRINT N'Every statement of the client ran; the test request is gone.';
GO
