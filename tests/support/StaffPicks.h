#pragma once

#include <QString>

class QWidget;

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

// The texts of one column of a grid's data rows.
QStringList ColumnTexts(const platform::FlexGrid& grid, int col);

}  // namespace testsupport
