// Hostile text through the real windows into the embedded database and back: backslashes,
// wildcards, letters of any script and beyond the basic plane, blanks only, 4,000 characters;
// and search keys with the database's wildcards and statement characters in the staff and
// doctor searches, where "%" and "_" are wildcards on purpose and nothing breaks a statement.
#include <QPushButton>
#include <QTest>

#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MultiLineTextBox.h"
#include "platform/widgets/TextBox.h"
#include "session/ORSchedule.h"
#include "staff/frmStaff.h"
#include "suite/widgets/DoctorSearchWindow.h"
#include "support/MainWindowFixture.h"
#include "support/StaffPicks.h"

using platform::TextBox;
using testsupport::MainWindowFixture;
using testsupport::OnNextModal;
using C = session::RequestColumn;

namespace {

const QDate kDay(2027, 1, 20);  // a day without demo requests

void DoubleClickRow(platform::FlexGrid& grid, int row) {
  const QModelIndex cell = grid.model()->index(row - 1, C::kPatientName);
  grid.scrollTo(cell);
  const QPoint at = grid.visualRect(cell).center();
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
  QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, at);
}

// The rest of a complete request on kDay: room and the team as the pickers leave them.
void CompleteRequest(frmMain& w) {
  testsupport::CompleteRequest(w, QStringLiteral("OR 2"), kDay);
}

// Last names for the searches, each held by staff member "H<n>" and doctor "DH<n>".
const QStringList kLastNames = {
    QStringLiteral("O'HARA"),       QStringLiteral("BACK\\SLASH"), QStringLiteral("50%OFF"),
    QStringLiteral("UNDER_SCORE"),  QStringLiteral("PEÑA"),        QStringLiteral("ЖУКОВА"),
    QStringLiteral("SEMI;--COLON"), QStringLiteral("QUO\"TE"),     QStringLiteral("BRACKET[1")};

void AddSearchedPeople(MainWindowFixture& f) {
  for (int n = 1; n <= kLastNames.size(); ++n) {
    f.db().exec(QStringLiteral("INSERT INTO tbpasswordmain VALUES (?, ?, 'ANN', 'B', '29')"),
                {QStringLiteral("H%1").arg(n), kLastNames[n - 1]});
    f.db().exec(QStringLiteral("INSERT INTO tbDoctor (DoctorCode, LastName, FirstName)"
                               " VALUES (?, ?, 'BO')"),
                {QStringLiteral("DH%1").arg(n), kLastNames[n - 1]});
  }
}

// The numbers of the searched people among the codes listed, in the list's order.
QStringList Numbers(const QStringList& codes, const QString& prefix) {
  QStringList numbers;
  for (const QString& code : codes)
    if (code.startsWith(prefix) && code.mid(prefix.size()).toInt() > 0)
      numbers << code.mid(prefix.size());
  numbers.sort();
  return numbers;
}

// "15": people 1 and 5.
QStringList People(const char* digits) {
  QStringList numbers;
  for (const char* d = digits; *d; ++d)
    numbers << QString(QLatin1Char(*d));
  return numbers;
}

// Enter in `field` holding `key`; the codes its search window lists, before leaving it.
QStringList CodesListedFor(TextBox* field, const QString& key, bool nurses) {
  QStringList codes;
  field->setText(key);
  field->setFocus();
  OnNextModal([&](QWidget* modal) {
    if (nurses) {
      auto* window = qobject_cast<frmStaff*>(modal);
      codes = testsupport::ColumnTexts(*window->MSHFlexGrid1, 1);
      window->cmdExit->click();
    } else {
      auto* window = qobject_cast<suite::DoctorSearchWindow*>(modal);
      codes = testsupport::ColumnTexts(*window->list(), 1);
      QTest::keyClick(window->searchBox(), Qt::Key_Escape);
    }
  });
  QTest::keyClick(field, Qt::Key_Return);
  return codes;
}

}  // namespace

class TestHostileText : public QObject {
  Q_OBJECT

 private slots:
  // One text in the patient, procedure, patient's room and remarks, as much of it as each
  // column holds: saved as it is, listed as it is, and shown trimmed when the request is
  // loaded. A typed one goes in upper case.
  void textRoundTrips_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typed");  // typed in lower case into the patient's name
    QTest::newRow("backslashes") << QStringLiteral("C:\\TEMP\\ \\\\SERVER\\' \\") << false;
    QTest::newRow("wildcards and brackets")
        << QStringLiteral("100% _DONE_ [A-Z] [^0-9] %%") << false;
    QTest::newRow("accented letters, typed") << QStringLiteral("PEÑA, JOSÉ ÅSTRÖM ÇELIK") << true;
    QTest::newRow("Greek, Cyrillic, Han, Arabic")
        << QStringLiteral("ΑΘΗΝΑ ЖУКОВА 山田 عبد الله") << false;
    QTest::newRow("beyond the basic plane") << QStringLiteral("𝔄𝔅 😀 𠀀") << false;
    QTest::newRow("blanks only") << QStringLiteral("   ") << false;
    QTest::newRow("4,001 characters")
        << QStringLiteral("O'NEIL \"Q\"; -- \\ 100% ÑЖ山 ").repeated(200).left(4001) << false;
  }
  void textRoundTrips() {
    QFETCH(QString, text);
    QFETCH(bool, typed);
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    w.DTPicker1->setDate(kDay);
    w.cmdOption[0]->click();
    TextBox* const fields[] = {w.txtName, w.txtProcedure, w.txtRoomID};
    const int widths[] = {150, 400, 30, 4000};
    for (int k = 0; k < 3; ++k)
      fields[k]->setText(text.left(widths[k]));
    w.txtRemarks->setText(text.left(widths[3]));
    if (typed) {
      w.txtName->clear();
      for (QChar ch : text.toLower())  // as a keyboard sends letters beyond ASCII
        QTest::sendKeyEvent(QTest::Click, w.txtName, Qt::Key_unknown, QString(ch), {});
    }
    CompleteRequest(w);
    w.cmdOption[3]->click();
    QCOMPARE(f.boxes().titles(), QStringList{QStringLiteral("SUCCESS!")});

    const QVariantMap stored = f.db().request(f.db().lastTransNum());
    int i = 0;  // each column holds what its field took
    for (const char* column : {"PatientName", "ProcedureName", "RoomNo", "Remarks"})
      QCOMPARE(stored.value(QLatin1String(column)).toString(), text.left(widths[i++]));
    platform::FlexGrid& grid = *w.mshflexPending;
    QCOMPARE(grid.Rows(), 2);
    QCOMPARE(grid.TextMatrix(1, C::kPatientName), text.left(widths[0]));
    QCOMPARE(grid.TextMatrix(1, C::kRemarks), text.left(widths[3]));
    DoubleClickRow(grid, 1);
    for (int k = 0; k < 3; ++k)
      QCOMPARE(fields[k]->text(), text.left(widths[k]).trimmed());
    QCOMPARE(w.txtRemarks->text(), text.left(widths[3]).trimmed());
    QCOMPARE(f.boxes().count(), 1);
  }

  // The same key in the OR staff search and in the doctor search (as the field held it when
  // Enter opened them): those listed, and never a failure.
  void searchKeysListWhatTheyMatch_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("listed");  // numbers of the searched people
    const QStringList all = People("123456789");
    QTest::newRow("% is any run") << QStringLiteral("%") << all;
    QTest::newRow("% after a prefix") << QStringLiteral("50%") << People("3");
    QTest::newRow("_ is one letter, at the end") << QStringLiteral("UNDER_") << People("4");
    QTest::newRow("_ is one letter, first") << QStringLiteral("_NDER") << People("4");
    QTest::newRow("a set of first letters") << QStringLiteral("[OP]") << People("15");
    QTest::newRow("an unclosed bracket is itself") << QStringLiteral("BRACKET[") << People("9");
    QTest::newRow("apostrophe") << QStringLiteral("O'H") << People("1");
    QTest::newRow("backslash") << QStringLiteral("BACK\\") << People("2");
    QTest::newRow("semicolon and comment mark") << QStringLiteral("SEMI;--") << People("7");
    QTest::newRow("double quote") << QStringLiteral("QUO\"") << People("8");
    QTest::newRow("accented, lower case") << QStringLiteral("peña") << People("5");
    QTest::newRow("Cyrillic, lower case") << QStringLiteral("жук") << People("6");
    QTest::newRow("blanks only") << QStringLiteral("   ") << all;
    QTest::newRow("one letter") << QStringLiteral("B") << People("29");
    QTest::newRow("a code with blanks before it") << QStringLiteral("  50") << People("3");
    QTest::newRow("a statement") << QStringLiteral("'; DELETE FROM tbDoctor; --") << People("");
  }
  void searchKeysListWhatTheyMatch() {
    QFETCH(QString, key);
    QFETCH(QStringList, listed);
    MainWindowFixture f;
    AddSearchedPeople(f);
    QVERIFY(f.start());
    frmMain& w = f.window();
    w.cmdOption[0]->click();
    QCOMPARE(Numbers(CodesListedFor(w.txtSNurse[0], key, true), QStringLiteral("H")), listed);
    QCOMPARE(Numbers(CodesListedFor(w.txtSurgeon[0], key, false), QStringLiteral("DH")), listed);
    QCOMPARE(f.boxes().count(), 0);
    QCOMPARE(
        Numbers(CodesListedFor(w.txtSurgeon[0], QStringLiteral("%"), false), QStringLiteral("DH"))
            .size(),
        kLastNames.size());  // every doctor is still there
  }
};

QTEST_MAIN(TestHostileText)
#include "test_hostile_text.moc"
