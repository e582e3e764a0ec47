-- Adopts what an earlier 03-procedures.sql or 07-map-login.sql made before these scripts marked
-- what they make: each object below that exists without the mark gets it, so that 03 and 07
-- replace it from now on instead of stopping before it as the site's own. Run it, after 03 has
-- made its helpers, only once you have compared every such object with the script that makes
-- it (sp_helptext N'dbo.Save_OR_Schedule' shows one): an object the site wrote itself must not
-- be adopted, or 03 would replace it. Where only some of them are the project's, mark those one
-- by one instead: EXEC SCHEDULE.dbo.sp_MarkORObject N'sp_FindORSchedule';
--   sqlcmd -b -I -S sqlhost -E -i 08-adopt-objects.sql
-- Then run 03 (and 07) again.

USE SCHEDULE;
GO

SET NOCOUNT ON;
DECLARE @Names TABLE (Name sysname PRIMARY KEY);
INSERT INTO @Names (Name)
VALUES (N'sp_GetORLoginEmployee'), (N'trORScheduleWhoActed'), (N'sp_FindORSchedule'),
    (N'sp_GetORScheduleByNum'), (N'sp_GetORScheduleDurations'), (N'sp_SetORScheduleDuration'),
    (N'fnDoctorName'), (N'fnStaffName'), (N'sp_GetORSchedule'),
    (N'sp_List_ORRooms'), (N'sp_Get_ORRoom'), (N'Save_OR_Schedule'), (N'sp_UpdateSchedules'),
    (N'sp_List_Of_ConfirmedSchedules_ORScheduler'), (N'sp_MapORLogin'),
    (N'sp_EnforceORLoginEmployee');
DECLARE @Name sysname = (SELECT MIN(n.Name) FROM @Names AS n);
WHILE @Name IS NOT NULL
BEGIN
    IF dbo.fnORSitesOwn(@Name) IS NOT NULL
    BEGIN
        EXEC dbo.sp_MarkORObject @Name;
        PRINT CONCAT(N'dbo.', @Name, N' is adopted: the scripts replace it from now on.');
    END;
    SET @Name = (SELECT MIN(n.Name) FROM @Names AS n WHERE n.Name > @Name);
END;
PRINT N'Every object of these scripts that exists is marked.';
GO
