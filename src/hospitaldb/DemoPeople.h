#pragma once

#include <QString>
#include <vector>

namespace hospitaldb {

// The people and things of the demo database, as the hospital types them (upper case).
struct DemoDoctor {
  QString code, lastName, firstName, middleName, specialty;
};
struct DemoStaff {
  QString code, lastName, firstName, middleName, department;
  bool noMiddleName = false;  // stored as null: the search shows it as empty
};
struct DemoRoom {
  QString id, name;
};

const std::vector<DemoRoom>& DemoRooms();
const std::vector<DemoDoctor>& DemoDoctors();
// OR staff (department '29') first, the demo user among them, then other departments.
const std::vector<DemoStaff>& DemoStaffMembers();
const std::vector<QString>& DemoPatients();
const std::vector<QString>& DemoProcedures();
const std::vector<QString>& DemoWardRooms();

// Specialties the request generator picks surgeons and anesthesiologists from.
QString AnesthesiologySpecialty();

}  // namespace hospitaldb
