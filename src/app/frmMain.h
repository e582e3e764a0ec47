#pragma once

#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

#include "platform/SingleInstance.h"

class Anchors;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;

namespace platform {
class ComboBox;
class DTPicker;
class DurationBox;
class FlexGrid;
class MultiLineTextBox;
class SysInfo;
class TextBox;
}  // namespace platform

namespace requests {
class EntryForm;
class ListingMenu;
class ListingOutput;
class ListRefresh;
class OwnWrites;
class PaneState;
class PatientFinder;
class RequestList;
class StatusActions;
class frmDayByRoom;
}  // namespace requests

// The main window: the entry form on the left, the request pane on the right. Loading it is
// the program's start-up; unloading it ends the program. The controls keep the names of the
// window design, so that each subsystem works on the controls it is given.
//
// It opens at its design size where the screen's work area holds it, and inside the work area
// where it does not. Resized or maximized, the request pane and its list take the room; the
// entry form keeps its design size and scrolls when the window is shorter than the form.
class frmMain : public QWidget {
  Q_OBJECT

 public:
  // `sysInfo` reports the work area; without one the window measures the real screens.
  explicit frmMain(QWidget* parent = nullptr, platform::SysInfo* sysInfo = nullptr);
  ~frmMain() override;

  // Runs the start-up and shows the window. False when start-up refused a second copy, found
  // no connection or failed; it has then said why and the window stays closed.
  bool Show();

  // Lays the panes out in the window: the entry form on the left at its design width (and a
  // scroll bar when the window is shorter than the form), the request pane from there to the
  // window's right edge and as tall as the window lets it. Start-up and every resize call it.
  void Resize_Frame();
  // Opens the board of confirmed operations, modally.
  void cmdView_Click();
  // Opens "Day by Room" beside the window (Ctrl+D), or brings it to the front.
  void cmdDayByRoom_Click();
  requests::frmDayByRoom* dayByRoom() const;
  // The entry form's buttons, by element index: 0 New, 1 Edit, 2 Exit, 3 Save.
  void cmdOption_Click(int index);

  requests::RequestList& requestList() { return *requestList_; }
  requests::EntryForm& entryForm() { return *entryForm_; }
  requests::ListRefresh& listRefresh() { return *listRefresh_; }

  // Entry form: "PATIENT INFORMATION".
  QGroupBox* fraPatient = nullptr;
  platform::TextBox* txtName = nullptr;
  platform::TextBox* txtRoomID = nullptr;
  // Entry form: "OPERATION DETAILS".
  QGroupBox* fraOperation = nullptr;
  platform::TextBox* txtProcedure = nullptr;
  platform::DTPicker* dtpOperation = nullptr;
  platform::DTPicker* dtpOperTime = nullptr;
  platform::ComboBox* cboRequestRoom = nullptr;
  platform::DurationBox* dtpDuration = nullptr;
  QLabel* lblTransNum = nullptr;
  platform::TextBox* txtTransNum = nullptr;
  platform::TextBox* txtAsstDoc = nullptr;
  platform::TextBox* txtAsstDocID = nullptr;
  QGroupBox* fraSurgeons = nullptr;
  std::array<platform::TextBox*, 3> txtSurgeon{};
  std::array<platform::TextBox*, 3> txtSurgeonID{};
  QGroupBox* fraAnest = nullptr;
  std::array<platform::TextBox*, 2> txtAnest{};
  std::array<platform::TextBox*, 2> txtAnestID{};
  QGroupBox* fraSNurse = nullptr;
  std::array<platform::TextBox*, 2> txtSNurse{};
  std::array<platform::TextBox*, 2> txtSNurseID{};
  platform::TextBox* txtCNurse = nullptr;
  platform::TextBox* txtCNurseID = nullptr;
  platform::MultiLineTextBox* txtRemarks = nullptr;
  QPushButton* cmdView = nullptr;
  std::array<QPushButton*, 4> cmdOption{};
  // Request pane: "SCHEDULE STATUS".
  QGroupBox* fraPendingRequest = nullptr;
  platform::DTPicker* DTPicker1 = nullptr;
  platform::FlexGrid* mshflexPending = nullptr;
  std::array<QPushButton*, 2> cmdOpt{};
  QPushButton* cmdDayByRoom = nullptr;
  std::array<platform::TextBox*, 3> vkTextBox1{};
  // "Find patient:" beside the date, with its caption (Ctrl+F).
  QWidget* fraFind = nullptr;
  platform::TextBox* txtFind = nullptr;
  // The request list's context menu.
  QMenu* mnuListing = nullptr;
  QAction* mnuPrintList = nullptr;
  QAction* mnuExportPDF = nullptr;
  QAction* mnuExportCSV = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void BuildPatientFrame(QWidget* form);
  void BuildOperationFrame(QWidget* form);
  void BuildStaffFrames(QWidget* parent);
  void BuildButtons(QWidget* parent);
  void BuildEntryPane();
  void BuildRequestPane();
  void BuildListingMenu();
  void BuildFindBox();
  void FitFindBox(int paneWidth);
  void CreateFindAndRefresh();
  void SetTabOrder();
  void FitIntoWorkArea();
  void CreateEntryForm();
  void InstallStaffSelection();
  void ConnectEvents();

  bool Form_Load();
  bool StartComponents();
  void SetDatePickers(const QDateTime& now);
  void Form_Unload();

  platform::SingleInstance instance_;
  platform::SysInfo* sysInfo_;
  QScrollArea* entryPane_ = nullptr;  // the entry form's frames, scrolled when the window is short
  std::unique_ptr<Anchors> paneAnchors_;  // the request pane's controls
  bool framedFit_ = false;  // fitted again once the window system had framed the window
  std::unique_ptr<requests::PaneState> paneState_;
  std::unique_ptr<requests::OwnWrites> ownWrites_;
  std::unique_ptr<requests::RequestList> requestList_;
  std::unique_ptr<requests::EntryForm> entryForm_;
  std::unique_ptr<requests::StatusActions> statusActions_;
  std::unique_ptr<requests::ListingOutput> listingOutput_;
  std::unique_ptr<requests::ListingMenu> listingMenu_;
  std::unique_ptr<requests::PatientFinder> patientFinder_;
  std::unique_ptr<requests::ListRefresh> listRefresh_;
  QPointer<requests::frmDayByRoom> dayByRoom_;  // while it is open
  bool ownsComponents_ = false;  // this window created the components it must release
};
