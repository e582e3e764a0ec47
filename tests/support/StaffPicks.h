#pragma once

#include <QDate>
#include <QString>

class QWidget;
class frmMain;

namespace platform {
class FlexGrid;
class TextBox;
}  // namespace platform

namespace testsupport {

// Enter in a doctor field; in the code-search window the code is typed and Enter picks, or
// Esc gives up when the code is empty.
void PickDoctor(platform::TextBox* field, const QString& code);

// Enter in a nurse field; in frmStaff the code is typed, Down goes into the list and Enter
// picks; an empty code leaves by Exit.
void PickNurse(platform::TextBox* field, const QString& code);

// What picks write into the four team members a save requires (surgeon, anesthesiologist,
// scrub nurse, circulating nurse): a name and the demo staff's codes D1001, D1002, E1002, E1003.
void SetRequiredTeam(frmMain& w);
// The rest of a complete request as the pickers leave it: the room by its name, the operation
// day when one is given, and the required team.
void CompleteRequest(frmMain& w, const QString& roomName, const QDate& day = {});
// New, and a whole request for `patient`, an appendectomy in "OR 1", typed and picked.
void TypeNewRequest(frmMain& w, const QString& patient, const QDate& day = {});

// The texts of one column of a grid's data rows.
QStringList ColumnTexts(const platform::FlexGrid& grid, int col);

}  // namespace testsupport
