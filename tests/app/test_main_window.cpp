#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <algorithm>

#include "platform/Twips.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/DTPicker.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/MultiLineTextBox.h"
#include "platform/widgets/TextBox.h"
#include "support/MainWindowFixture.h"

using platform::TwipRect;
using testsupport::MainWindowFixture;

namespace {

QString AccessibleName(QObject* object) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
  return face ? face->text(QAccessible::Name) : QString();
}

// Whether assistive technology reads the field by the caption: by its name, or (for combo
// boxes on Linux, whose name is their text) by the label it is labelled by.
bool ReadsAs(QWidget* field, const QString& caption) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(field);
  if (!face) return false;
  if (face->text(QAccessible::Name) == caption) return true;
  const auto labels = face->relations(QAccessible::Label);
  return std::any_of(labels.begin(), labels.end(), [&](const auto& relation) {
    return relation.first->text(QAccessible::Name) == caption;
  });
}

QLabel* BuddyLabel(QWidget* field) {
  const auto labels = field->window()->findChildren<QLabel*>();
  for (QLabel* label : labels)
    if (label->buddy() == field) return label;
  return nullptr;
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

 private slots:
  void everyFieldIsReadByItsCaption() {
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    const QList<std::pair<QWidget*, QString>> fields = {
        {w.txtName, QStringLiteral("Name")},
        {w.txtRoomID, QStringLiteral("Room ID")},
        {w.txtProcedure, QStringLiteral("Procedure")},
        {w.dtpOperation, QStringLiteral("Schedule Date")},
        {w.dtpOperTime, QStringLiteral("Schedule Time")},
        {w.cboRequestRoom, QStringLiteral("OR Room")},
        {w.txtTransNum, QStringLiteral("OR Transnum ")},
        {w.txtAsstDoc, QStringLiteral("Asst. Doctor")},
        {w.txtSurgeon[0], QStringLiteral("Surgeon")},
        {w.txtSurgeon[1], QStringLiteral("Asst. 1")},
        {w.txtSurgeon[2], QStringLiteral("Asst. 2")},
        {w.txtAnest[0], QStringLiteral("Anesthe siologist")},
        {w.txtAnest[1], QStringLiteral("Asst. 1")},
        {w.txtSNurse[0], QStringLiteral("Scrub Nurse 1")},
        {w.txtSNurse[1], QStringLiteral("Asst. 1")},
        {w.txtCNurse, QStringLiteral("CIRCULATING NURSE")},
        {w.txtRemarks, QStringLiteral("Remarks:")},
        {w.DTPicker1, QStringLiteral("Search by date:")},
        {w.txtFind, QStringLiteral("Find patient:")},
    };
    for (const auto& [field, caption] : fields) {
      QLabel* label = BuddyLabel(field);
      QVERIFY2(label, qPrintable(caption));
      QCOMPARE(label->text(), caption);
      if (field->isVisibleTo(&w))  // the caption's text clear of its field
        QVERIFY2(label->x() + label->sizeHint().width() < field->x(), qPrintable(caption));
      if (field != w.txtTransNum) QVERIFY2(ReadsAs(field, caption.trimmed()), qPrintable(caption));
    }
    const QList<std::pair<QGroupBox*, QString>> frames = {
        {w.fraPatient, QStringLiteral("PATIENT INFORMATION")},
        {w.fraOperation, QStringLiteral("OPERATION DETAILS")},
        {w.fraSurgeons, QStringLiteral("SURGEONS")},
        {w.fraAnest, QStringLiteral("ANESTHESIOLOGIST")},
        {w.fraSNurse, QStringLiteral("SCRUB NURSE")},
        {w.fraPendingRequest, QStringLiteral("SCHEDULE STATUS")},
    };
    for (const auto& [frame, title] : frames) {
      QCOMPARE(frame->title(), title);
      QCOMPARE(AccessibleName(frame), title);  // nested frames too, not their outer frame's
    }
  }

  void buttonsReadNewSaveEditExitFromLeftToRight() {
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    QCOMPARE(w.cmdOption[0]->text(), QStringLiteral("&New"));
    QCOMPARE(w.cmdOption[1]->text(), QStringLiteral("&Edit"));
    QCOMPARE(w.cmdOption[2]->text(), QStringLiteral("E&xit"));
    QCOMPARE(w.cmdOption[3]->text(), QStringLiteral("&Save"));
    QList<QPushButton*> row(w.cmdOption.begin(), w.cmdOption.end());
    std::sort(row.begin(), row.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    QStringList captions;
    for (QPushButton* button : row)
      captions << button->text();
    QCOMPARE(captions, (QStringList{QStringLiteral("&New"), QStringLiteral("&Save"),
                                    QStringLiteral("&Edit"), QStringLiteral("E&xit")}));
    QCOMPARE(w.cmdOption[3]->geometry(), TwipRect(2760, 8160, 855, 495));
    QCOMPARE(w.cmdView->text(), QStringLiteral("PLAY"));
    QCOMPARE(w.cmdView->geometry(), TwipRect(120, 8160, 1575, 495));
    QCOMPARE(w.cmdOpt[0]->text(), QStringLiteral("&Confirm"));
    QCOMPARE(w.cmdOpt[1]->text(), QStringLiteral("&Revoke"));
    QCOMPARE(w.cmdOpt[1]->geometry(), TwipRect(1320, 9720, 1095, 495));
  }

  void entryFieldsStartLockedOnTheReadOnlyColour() {
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    QList<platform::TextBox*> fields = {w.txtName,     w.txtRoomID,  w.txtProcedure,
                                        w.txtTransNum, w.txtAsstDoc, w.txtAsstDocID,
                                        w.txtCNurse,   w.txtCNurseID};
    QVERIFY(!w.txtRemarks->isEnabled() && w.txtRemarks->BackColor() == QColor(224, 224, 224));
    for (int i = 0; i < 3; ++i)
      fields << w.txtSurgeon[i] << w.txtSurgeonID[i];
    for (int i = 0; i < 2; ++i)
      fields << w.txtAnest[i] << w.txtAnestID[i] << w.txtSNurse[i] << w.txtSNurseID[i];
    for (platform::TextBox* field : fields) {
      QVERIFY(!field->isEnabled());
      QCOMPARE(field->BackColor(), QColor(224, 224, 224));
    }
    // Code fields lie hidden at their name field's place; the transaction number is hidden.
    QVERIFY(!w.txtSurgeonID[1]->isVisible());
    QCOMPARE(w.txtSurgeonID[1]->geometry(), w.txtSurgeon[1]->geometry());
    QVERIFY(!w.txtTransNum->isVisible());
    QVERIFY(!BuddyLabel(w.txtTransNum)->isVisible());
  }

  // New locks the request pane: the find box and the rows look it (the rows keep their colours).
  void aLockedPaneLooksLocked() {
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    const auto look = [&w, &grid = *w.mshflexPending] {  // the box's lightness, the name's darkest
      const QImage box = w.txtFind->grab().toImage();
      const QImage name =
          grid.viewport()->grab(grid.visualRect(grid.model()->index(0, 1))).toImage();
      int text = 255;
      for (int y = 0; y < name.height(); ++y)
        for (int x = 0; x < name.width(); ++x)
          text = std::min(text, qGray(name.pixel(x, y)));
      return std::pair{box.pixelColor(box.width() - 6, box.height() / 2).lightness(), text};
    };
    const auto open = look();
    w.cmdOption[0]->click();
    const auto locked = look();
    QVERIFY(locked.first < open.first && locked.second > open.second + 60);
  }

  void theLegendExplainsTheColours() {
    MainWindowFixture f;
    QVERIFY(f.start());
    frmMain& w = f.window();
    const QColor colours[] = {{255, 192, 192}, {255, 255, 192}, {192, 192, 255}};
    const QString words[] = {QStringLiteral("Revoked"), QStringLiteral("Confirmed"),
                             QStringLiteral("Pending")};
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(w.vkTextBox1[i]->BackColor(), colours[i]);
      QVERIFY(!w.vkTextBox1[i]->isEnabled());
      QCOMPARE(BuddyLabel(w.vkTextBox1[i])->text(), words[i]);
      QCOMPARE(w.vkTextBox1[i]->size(), TwipRect(0, 0, 375, 255).size());
    }
  }

  void theWindowFitsItsScreen_data() {
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<QSize>("resizedTo");  // by the user, after start-up
    QTest::addColumn<bool>("atDesignSize");
    QTest::newRow("1920 x 1080") << QRect(0, 0, 1920, 1080) << QSize() << true;
    QTest::newRow("1920 x 1080, made larger")
        << QRect(0, 0, 1920, 1080) << QSize(1900, 1000) << false;
    QTest::newRow("1024 x 768") << QRect(0, 0, 1024, 768) << QSize() << false;
    QTest::newRow("1280 x 720, under a panel") << QRect(0, 32, 1280, 688) << QSize() << false;
    QTest::newRow("1280 x 720 at 150%") << QRect(0, 0, 853, 480) << QSize() << false;
  }
  void theWindowFitsItsScreen() {
    QFETCH(QRect, workArea);
    QFETCH(QSize, resizedTo);
    QFETCH(bool, atDesignSize);
    MainWindowFixture f;
    QVERIFY(f.start(workArea));
    frmMain& w = f.window();
    if (resizedTo.isValid()) w.resize(resizedTo);
    const QSize design = TwipRect(0, 0, 18645, 10740).size();
    QCOMPARE(w.size() == design, atDesignSize);
    QVERIFY(workArea.contains(w.frameGeometry()));
    // The request pane reaches the right edge; the list takes the room the window has.
    QCOMPARE(w.fraPendingRequest->geometry().right() + 1, w.width());
    if (w.height() >= design.height())
      QCOMPARE(w.mshflexPending->size(), TwipRect(0, 0, 12495, 8685).size() + (w.size() - design));
    if (atDesignSize) {
      QCOMPARE(w.fraPendingRequest->geometry().left(), TwipRect(5880, 240, 0, 0).left());
      QCOMPARE(w.mshflexPending->geometry(), TwipRect(120, 960, 12495, 8685));
    }
    // The legend stays under the list's right end, clear of Revoke, however narrow the pane.
    for (QLabel* caption : w.fraPendingRequest->findChildren<QLabel*>())
      if (caption->text() == u"Legend:") QVERIFY(caption->x() > w.cmdOpt[1]->geometry().right());
    // Every button and the find box show whole on the screen, the entry form's once scrolled to.
    QList<QWidget*> controls{w.txtFind};
    for (QPushButton* button : w.findChildren<QPushButton*>())
      controls << button;
    for (QWidget* control : controls) {
      w.findChild<QScrollArea*>()->ensureWidgetVisible(control);
      QVERIFY2(workArea.contains(QRect(control->mapToGlobal(QPoint(0, 0)), control->size())) &&
                   control->visibleRegion() == QRegion(control->rect()),
               qPrintable(control->property("text").toString()));
    }
  }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
