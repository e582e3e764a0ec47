#pragma once

#include <array>

namespace platform {
class TextBox;
}

namespace staff {

// The doctor fields of the entry form, each name with the code field beside it.
struct DoctorFields {
  std::array<platform::TextBox*, 3> txtSurgeon, txtSurgeonID;
  std::array<platform::TextBox*, 2> txtAnest, txtAnestID;
  platform::TextBox* txtAsstDoc;
  platform::TextBox* txtAsstDocID;
};

// Enter in a doctor field searches through the code-search component with the text typed so
// far; a doctor picked fills the name and code and moves on. Every key goes in upper case. An
// assistant who already holds another place of the same group (by code) is refused.
void InstallDoctorPickers(const DoctorFields& fields);

}  // namespace staff
