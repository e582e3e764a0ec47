#pragma once

#include <array>

namespace platform {
class TextBox;
}

namespace staff {

// The nurse fields of the entry form, each name with the code field beside it.
struct NurseFields {
  std::array<platform::TextBox*, 2> txtSNurse, txtSNurseID;
  platform::TextBox* txtCNurse;
  platform::TextBox* txtCNurseID;
};

// Enter in a nurse field opens the OR staff search window with the text typed so far and
// writes what it hands back (two empty texts without a pick), then moves on. Other keys go in
// upper case. The second scrub nurse may not be the first one, by name.
void InstallNursePickers(const NurseFields& fields);

}  // namespace staff
