#include "hospitaldb/DemoPeople.h"

#include <QStringList>

#include "hospitaldb/DemoData.h"

namespace hospitaldb {
namespace {

QStringList Split(const char* names) {
  return QString::fromLatin1(names).split(u'|');
}

// A fixed list of demo names, "|"-separated.
std::vector<QString> Names(const char* names) {
  const QStringList split = Split(names);
  return std::vector<QString>(split.begin(), split.end());
}

const char* const kDoctorLastNames =
    "ABAD|AGUILAR|BAUTISTA|CASTILLO|CRUZ|D'SOUZA|DE GUZMAN|DEL ROSARIO|DIMAGIBA|ESPIRITU|"
    "FERNANDEZ|GARCIA|GONZALES|HERNANDEZ|IGNACIO|JIMENEZ|LACSON|LOPEZ|MACARAEG|MENDOZA|"
    "NAVARRO|OCAMPO|PADILLA|PASCUAL|QUIMBO|RAMOS|REYES|RIVERA|SALAZAR|SANTIAGO|TAN|TORRES|"
    "UY|VALDEZ|VILLANUEVA|WONG|YAP|ZAMORA|LIM|CHUA|ONG|GO|SY|CO";
const char* const kDoctorFirstNames =
    "ANTONIO|BEATRIZ|CARLOS|DOLORES|EDUARDO|FELICIDAD|GREGORIO|HELEN|ISIDRO|JOSEFINA|"
    "KENNETH|LOURDES|MANUEL|NORMA|OSCAR|PATRICIA|RAFAEL|ROSARIO|SERGIO|TERESITA";
const char* const kSpecialties =
    "GENERAL SURGERY|ANESTHESIOLOGY|ORTHOPEDICS|OBSTETRICS-GYNECOLOGY|ANESTHESIOLOGY|"
    "UROLOGY|INTERNAL MEDICINE|OPHTHALMOLOGY|NEUROSURGERY|OTORHINOLARYNGOLOGY";

// OR nurses share last-name beginnings (DE..., SAN...) so that a search by prefix lists several.
const char* const kOrStaffNames =
    "SANTOS,MARIA CLARA,REYES|O'BRIEN,KATHLEEN,MURPHY|DELA CRUZ,ANGELICA,BAUTISTA|"
    "DEL ROSARIO,JOY,MENDOZA|DELOS SANTOS,RICARDO,LIM|DE LEON,MARICEL,GARCIA|"
    "SANCHEZ,JOCELYN,TAN|SANTIAGO,ROMMEL,UY|SAN JOSE,FLORDELIZA,CRUZ|AQUINO,RAMIL,PEREZ|"
    "BAUTISTA,CHRISTINE,ONG|CABRERA,DANILO,SY|DIZON,ELENA,GO|ESTRADA,FERDINAND,CO|"
    "FLORES,GLORIA,YAP|GUTIERREZ,HENRY,CHUA|HERRERA,IMELDA,RAMOS|JAVIER,JOEL,REYES|"
    "LAUREL,KAREN,VALDEZ|MANALO,LEONARDO,TORRES|NATIVIDAD,MARISSA,CRUZ|ORTEGA,NESTOR,LOPEZ|"
    "PANGILINAN,OFELIA,DIAZ|QUIZON,PAOLO,RIVERA|ROXAS,QUEENIE,SALAZAR|SORIANO,ROGELIO,TAN|"
    "TOLENTINO,SHEILA,UY|UMALI,TEODORO,VERA|VILLAREAL,URSULA,WONG|YULO,VICENTE,ZAMORA|"
    "ZABALA,WILMA,|MERCADO,XANDER,|ILAGAN,YOLANDA,ABAD|KATIGBAK,ZALDY,BENITEZ";
const char* const kOtherStaffNames =
    "ALCANTARA,ARNEL,CRUZ,12|BALAGTAS,BERNADETTE,DIAZ,12|CORPUZ,CESAR,ESPINO,30|"
    "DAVID,DIANA,FAJARDO,30|ENRIQUEZ,EMMANUEL,GALANG,05|FAUSTINO,FE,HIDALGO,05|"
    "GATDULA,GERARDO,IBARRA,41|HIZON,HAYDEE,JACINTO,41|ISIDRO,IRENE,LUNA,12|"
    "JOSON,JAIME,MAGNO,30|LEGASPI,LILIA,NOLASCO,05|MAGSAYSAY,MARIO,OLIVAR,41|"
    "O'CONNOR,NORA,PADUA,12|PINEDA,PABLO,QUINTO,30|SANTOS,ROBERTO,REYES,05";

}  // namespace

QString AnesthesiologySpecialty() {
  return QStringLiteral("ANESTHESIOLOGY");
}

const std::vector<DemoRoom>& DemoRooms() {
  static const std::vector<DemoRoom> rooms = [] {
    std::vector<DemoRoom> result;
    for (int i = 1; i <= 6; ++i)
      result.push_back(
          {QStringLiteral("OR%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("OR %1").arg(i)});
    result.push_back({QStringLiteral("CATH"), QStringLiteral("CATH LAB")});
    result.push_back({QStringLiteral("ENDO"), QStringLiteral("ENDOSCOPY SUITE")});
    result.push_back({QStringLiteral("DR01"), QStringLiteral("DELIVERY ROOM")});
    result.push_back({QStringLiteral("MOR"), QStringLiteral("MINOR OR")});
    return result;
  }();
  return rooms;
}

const std::vector<DemoDoctor>& DemoDoctors() {
  static const std::vector<DemoDoctor> doctors = [] {
    const QStringList last = Split(kDoctorLastNames), first = Split(kDoctorFirstNames),
                      specialties = Split(kSpecialties);
    std::vector<DemoDoctor> result;
    for (qsizetype i = 0; i < last.size(); ++i)
      result.push_back({QStringLiteral("D%1").arg(1001 + i), last[i], first[(i * 7) % first.size()],
                        first[(i * 3 + 5) % first.size()], specialties[i % specialties.size()]});
    return result;
  }();
  return doctors;
}

const std::vector<DemoStaff>& DemoStaffMembers() {
  static const std::vector<DemoStaff> staff = [] {
    std::vector<DemoStaff> result;
    const QStringList orStaff = Split(kOrStaffNames);
    for (qsizetype i = 0; i < orStaff.size(); ++i) {
      const QStringList parts = orStaff[i].split(u',');
      result.push_back({QStringLiteral("E%1").arg(1001 + i), parts[0], parts[1], parts[2],
                        QStringLiteral("29"), parts[2].isEmpty()});
    }
    const QStringList others = Split(kOtherStaffNames);
    for (qsizetype i = 0; i < others.size(); ++i) {
      const QStringList parts = others[i].split(u',');
      result.push_back(
          {QStringLiteral("E%1").arg(2001 + i), parts[0], parts[1], parts[2], parts[3], false});
    }
    return result;
  }();
  Q_ASSERT(staff.front().code == QLatin1String(kDemoEmployeeCode));
  return staff;
}

const std::vector<QString>& DemoPatients() {
  static const std::vector<QString> patients = Names(
      "O'BRIEN, PATRICK J.|VILLANUEVA, ROSALINDA M.|CRUZ, JUAN PAOLO S.|"
      "DIMAANO, LETICIA A.|RAMIREZ, ERNESTO B.|TAN, MEI LING|GOMEZ, ARTURO C.|"
      "DE VERA, CARMELITA R.|PEREZ, DOMINADOR T.|MACAPAGAL, NENITA G.|"
      "FLORENTINO, JOSE MARI L.|D'ANGELO, VERONICA P.|LUMBAO, SATURNINO E.|"
      "BALDOVINO, REGINA F.|CASTRO, EFREN D.|ALVAREZ, PURITA H.|"
      "MONTEMAYOR, RODOLFO I.|SISON, GENEVIEVE K.|TUAZON, BONIFACIO N.|"
      "LIWANAG, AMPARO O.|ESGUERRA, NICANOR Q.|PALMA, CORAZON U.|"
      "YSMAEL, WENCESLAO V.|ZUNIGA, ESPERANZA W.");
  return patients;
}

const std::vector<QString>& DemoProcedures() {
  // Lengths vary on purpose: the lists size rows by them (under 26, 26 to 39, 40 and more).
  static const std::vector<QString> procedures = Names(
      "APPENDECTOMY|LAPAROSCOPIC CHOLECYSTECTOMY|CESAREAN SECTION|"
      "OPEN REDUCTION AND INTERNAL FIXATION, LEFT FEMUR|HERNIORRHAPHY, INGUINAL|"
      "TOTAL KNEE REPLACEMENT, LEFT|TONSILLECTOMY|"
      "TOTAL ABDOMINAL HYSTERECTOMY WITH BILATERAL SALPINGO-OOPHORECTOMY|"
      "CATARACT EXTRACTION, OD|MODIFIED RADICAL MASTECTOMY, RIGHT|EXCISION OF LIPOMA|"
      "TRANSURETHRAL RESECTION OF PROSTATE|DILATATION AND CURETTAGE|"
      "ENDOSCOPIC RETROGRADE CHOLANGIOPANCREATOGRAPHY|LAPAROSCOPIC APPENDECTOMY|"
      "CORONARY ANGIOGRAPHY, DIAGNOSTIC|THYROIDECTOMY|"
      "CRANIOTOMY FOR EVACUATION OF SUBDURAL HEMATOMA|EXPLORATORY LAPAROTOMY|"
      "OPEN REDUCTION INTERNAL FIXATION RADIUS");
  return procedures;
}

const std::vector<QString>& DemoWardRooms() {
  static const std::vector<QString> rooms =
      Names("301-A|302-B|ICU-2|415|ER|510-A|208|PEDIA-3|NICU|620");
  return rooms;
}

}  // namespace hospitaldb
