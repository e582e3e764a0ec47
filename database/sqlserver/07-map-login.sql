-- The login mapping, kept by the DBA: which employee each server login is (SCHEDULE..tbORLogin),
-- and whether the server takes saves, confirmations and revocations only under that employee
-- (the setting EnforceLoginEmployee in SCHEDULE..tbORSetting). Run it once, after 03, as an
-- administrator; it makes two procedures that no client role may run. Then call them, each
-- value a parameter written as a T-SQL text (an apostrophe in it doubled, as in any T-SQL
-- text), with sqlcmd or Management Studio:
--
--   sqlcmd -b -I -S sqlhost -E -d SCHEDULE -Q "EXEC dbo.sp_MapORLogin N'HOSPITAL\jdelacruz', N'10452'"
--   sqlcmd -b -I -S sqlhost -E -d SCHEDULE -Q "EXEC dbo.sp_MapORLogin N'HOSPITAL\o''brien', N''"
--   sqlcmd -b -I -S sqlhost -E -d SCHEDULE -Q "EXEC dbo.sp_EnforceORLoginEmployee N'on'"
--
-- The first maps a login to its employee, the second forgets one (an empty employee), the third
-- switches the enforcement on (N'off' switches it off). A Windows user who reaches the server
-- through a group is mapped by the user's own name, as ORIGINAL_LOGIN() gives it. Each ends by
-- listing the mapping.
--
-- The client signs in the employee of its login wherever the login is mapped. While the
-- enforcement is off, a login the mapping does not name sends the employee code its
-- workstation is set to, and the server stores what is sent; once it is on, the requests
-- table's trigger refuses every employee but the login's, whichever procedure writes, and a
-- login the mapping does not name can no longer save, confirm or revoke (the client refuses to
-- start there). Map every desk's login before switching it on.

USE SCHEDULE;
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_MapORLogin');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- Maps the login to the employee with this code (PASSWORD..tbpasswordmain must have it), or
-- forgets the login when the code is empty; then lists the mapping.
CREATE OR ALTER PROCEDURE dbo.sp_MapORLogin
    (@Login nvarchar(max),
     @Employee nvarchar(max))
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @Name nvarchar(max) = LTRIM(RTRIM(@Login));
    DECLARE @Code nvarchar(max) = LTRIM(RTRIM(@Employee));
    IF @Name = N'' OR LEN(@Name) > 128
    BEGIN
        THROW 50011, N'Name the login (DOMAIN\name, or a SQL login), of 128 characters at most.', 1;
    END;
    IF @Code = N''
    BEGIN
        DELETE FROM dbo.tbORLogin WHERE LoginName = @Name;
        PRINT CONCAT(N'The login ', @Name, N' is mapped to no employee.');
    END
    ELSE
    BEGIN
        IF NOT EXISTS (SELECT 1 FROM [PASSWORD].dbo.tbpasswordmain AS p WHERE p.employeeid = @Code)
        BEGIN
            DECLARE @Unknown nvarchar(2048) = CONCAT(N'No employee of PASSWORD..tbpasswordmain ',
                N'has the code ', LEFT(@Code, 100), N'; nothing was changed.');
            THROW 50012, @Unknown, 1;
        END;
        UPDATE dbo.tbORLogin SET EmployeeID = @Code WHERE LoginName = @Name;
        IF @@ROWCOUNT = 0
        BEGIN
            INSERT INTO dbo.tbORLogin (LoginName, EmployeeID) VALUES (@Name, @Code);
        END;
        PRINT CONCAT(N'The login ', @Name, N' is employee ', @Code, N'.');
    END;
    SELECT l.LoginName, l.EmployeeID FROM dbo.tbORLogin AS l ORDER BY l.LoginName;
END;
GO

EXEC dbo.sp_MarkORObject N'sp_MapORLogin';
GO

DECLARE @Stop nvarchar(max) = dbo.fnORSitesOwn(N'sp_EnforceORLoginEmployee');
IF @Stop IS NOT NULL
BEGIN
    PRINT @Stop;
    SET NOEXEC ON;
END;
GO

-- Switches on ('on') or off ('off') the server's enforcement of who acted; then says which
-- logins may still act, and as whom.
CREATE OR ALTER PROCEDURE dbo.sp_EnforceORLoginEmployee
    (@Enforce nvarchar(max))
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @Value nvarchar(max) = LOWER(LTRIM(RTRIM(@Enforce)));
    IF @Value IS NULL OR @Value NOT IN (N'on', N'off')
    BEGIN
        THROW 50013, N'Say N''on'' to enforce who acted, or N''off''.', 1;
    END;
    UPDATE dbo.tbORSetting SET SettingValue = @Value WHERE SettingName = N'EnforceLoginEmployee';
    IF @@ROWCOUNT = 0
    BEGIN
        INSERT INTO dbo.tbORSetting (SettingName, SettingValue)
        VALUES (N'EnforceLoginEmployee', @Value);
    END;
    IF @Value = N'on'
    BEGIN
        PRINT N'The server takes saves, confirmations and revocations only under the employee '
            + N'of the login that sends them: only these logins may act.';
    END
    ELSE
    BEGIN
        PRINT N'The server stores the employee code each workstation sends, as before.';
    END;
    SELECT l.LoginName, l.EmployeeID FROM dbo.tbORLogin AS l ORDER BY l.LoginName;
END;
GO

EXEC dbo.sp_MarkORObject N'sp_EnforceORLoginEmployee';
GO

SET NOEXEC OFF;
GO
