-- Maps one server login to the employee it is, in SCHEDULE..tbORLogin, or forgets it. Run by
-- the DBA, once per login, with sqlcmd's variables Login and Employee:
--   sqlcmd -b -I -S sqlhost -E -v Login="HOSPITAL\jdelacruz" Employee="10452" -i 07-map-login.sql
--   sqlcmd -b -I -S sqlhost -E -v Login="HOSPITAL\jdelacruz" Employee="" -i 07-map-login.sql
-- (the second forgets the login). A Windows user who reaches the server through a group is
-- mapped by the user's own name, as ORIGINAL_LOGIN() gives it. It ends by listing the mapping.
--
-- While the table is empty, the client sends the employee code its workstation is set to and
-- the procedures store it as sent. Once it holds any row, the client signs in the employee of
-- its login, and Save_OR_Schedule and sp_UpdateSchedules refuse any other code: a login that
-- is not in the table can no longer save, confirm or revoke.

USE SCHEDULE;
GO

SET NOCOUNT ON;
DECLARE @Login nvarchar(max) = LTRIM(RTRIM(N'$(Login)')),
        @Employee nvarchar(max) = LTRIM(RTRIM(N'$(Employee)')),
        @Problem nvarchar(2048);
IF @Login = N'' OR LEN(@Login) > 128
    THROW 50000, N'Name the login: -v Login="DOMAIN\name" Employee="code".', 1;
IF @Employee = N''
BEGIN
    DELETE FROM dbo.tbORLogin WHERE LoginName = @Login;
    PRINT CONCAT(N'The login ', @Login, N' is mapped to no employee.');
END
ELSE
BEGIN
    IF NOT EXISTS (SELECT 1 FROM [PASSWORD].dbo.tbpasswordmain WHERE employeeid = @Employee)
    BEGIN
        SET @Problem = CONCAT(N'No employee of PASSWORD..tbpasswordmain has the code ',
            LEFT(@Employee, 100), N'; nothing was changed.');
        THROW 50000, @Problem, 1;
    END;
    UPDATE dbo.tbORLogin SET EmployeeID = @Employee WHERE LoginName = @Login;
    IF @@ROWCOUNT = 0
        INSERT INTO dbo.tbORLogin (LoginName, EmployeeID) VALUES (@Login, @Employee);
    PRINT CONCAT(N'The login ', @Login, N' is employee ', @Employee, N'.');
END;
SELECT LoginName, EmployeeID FROM dbo.tbORLogin ORDER BY LoginName;
GO
