#pragma once
// The terminal's main window: eight pages for testing one ZM48D controller over a
// serial port. Controls keep the names the handlers know them by; each page is
// built in its own file (page_*.cpp) and the handlers live in handlers_*.cpp.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include "app/busy_window.h"
#include "app/differences_dialog.h"
#include "app/file_dialogs.h"
#include "app/masked_edit.h"
#include "app/message_sink.h"
#include "app/status_line.h"
#include "app/window_notices.h"
#include "operations/configuration_files.h"
#include "operations/pc_clock.h"
#include "operations/session.h"
#include "protocol/link_state.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimer;

namespace zm48d {

class ClockDisplay;
class ComPortNames;
class HistoryWindow;
class PortsDialog;
class SiteWindow;
class TracePane;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // `names`: what each "COM n" stands for during this run, when the operator may
  // change it ("Controlador" -> "Portas..."); without it the entry is left out.
  TForm1(SerialLink& device, MessageSink& messages, FileDialogs& dialogs,
         ComPortNames* names = nullptr, QWidget* parent = nullptr);
  ~TForm1() override;

  // The link the handlers run their port cycles on.
  LinkState& Link() { return link_; }
  const LinkState& Link() const { return link_; }

  // Runs one handler body: an error it does not catch ends it, releases the port
  // and is shown in the error box. While it runs the window stays busy (it
  // repaints, input on it is dropped); afterwards the status bar tells how the
  // operation `caption` ended, when it used the line.
  void Guarded(const QString& caption, const std::function<void()>& body);
  void Guarded(const std::function<void()>& body) { Guarded(QString(), body); }
  bool IsBusy() const { return busy_.IsBusy(); }
  // The status bar's line: progress, then the last operation's outcome.
  QString StatusText() const { return status_.Text(); }
  // What the handlers run their operations with: the link, "COM PortNumber" and
  // the window's message boxes.
  ops::Session Session() { return {link_, PortNumber, notices_}; }

  // Link settings kept beside the LinkState: "COM 1".."COM 8".
  int PortNumber = 1;
  // The PC's local date and time, copied into the controller by "Grava S.O".
  ops::PcClock PcLocalTime = ops::CurrentLocalTime;
  // True while online reading is to go on; read by the timer tick.
  bool OnlineReadingActive = false;
  // Where the hidden Button40 saves the events; empty: the fixed test file.
  QString EventFileName;

  // The save and open dialogs shared by the editors and the transfer page.
  SharedFileDialog sdARQ;
  SharedFileDialog odARQ;
  // Drives online reading: 1000 ms, created stopped.
  QTimer* Timer1 = nullptr;
  // "Cancelar" on the status bar, shown while an operation runs long: it stops
  // the operation before its next frame; what was written stays written.
  QPushButton* btCANCELAR = nullptr;
  void btCANCELARClick();
  bool LooksBusy() const { return busy_.LooksBusy(); }

  // The menu bar above the pages: "Exibir" opens the trace pane and the history
  // of the stored events (one window, created when first asked for).
  QMenu* mnEXIBIR = nullptr;
  TracePane* dwTRAFEGO = nullptr;
  QAction* miHISTORICO = nullptr;  // "Histórico"
  HistoryWindow* fmHISTORICO = nullptr;
  void miHISTORICOClick();

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* TabSheet2 = nullptr;
  QWidget* TabSheet3 = nullptr;
  QWidget* TabSheet4 = nullptr;
  QWidget* TabSheet5 = nullptr;
  QWidget* TabSheet6 = nullptr;
  QWidget* TabSheet7 = nullptr;
  QWidget* TabSheet8 = nullptr;

  // "Config"
  QLabel* Label20 = nullptr;
  QComboBox* cbSER = nullptr;
  QLabel* Label21 = nullptr;
  QLineEdit* Edit10 = nullptr;
  QPushButton* Button43 = nullptr;

  // "Funções básicas"
  QPushButton* Button1 = nullptr;
  ClockDisplay* JvxClock1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button4 = nullptr;
  QPushButton* Button5 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* Label12 = nullptr;
  QLabel* Label13 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QLineEdit* Edit4 = nullptr;
  QLineEdit* Edit5 = nullptr;
  QLineEdit* Edit6 = nullptr;
  QLabel* Label15 = nullptr;
  QPushButton* Button25 = nullptr;
  QPushButton* Button26 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLabel* Label24 = nullptr;
  QLabel* Label25 = nullptr;
  QLabel* Label26 = nullptr;
  QLabel* Label27 = nullptr;
  QLineEdit* Edit12 = nullptr;
  QLineEdit* Edit13 = nullptr;
  QLineEdit* Edit14 = nullptr;
  QLineEdit* Edit15 = nullptr;
  QPushButton* Button36 = nullptr;
  QPushButton* Button37 = nullptr;
  QLabel* Label14 = nullptr;
  QLineEdit* Edit7 = nullptr;
  QPushButton* Button27 = nullptr;
  QPushButton* Button28 = nullptr;
  QLabel* Label16 = nullptr;
  QLabel* Label17 = nullptr;
  MaskedEdit* meDAT = nullptr;
  MaskedEdit* meHOR = nullptr;
  QPushButton* Button29 = nullptr;
  QPushButton* Button30 = nullptr;
  QPushButton* Button31 = nullptr;
  QPushButton* Button42 = nullptr;

  // "Grupos"
  QTableWidget* sgGRUPO = nullptr;
  QFrame* Panel1 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  MaskedEdit* meDOM1 = nullptr;
  MaskedEdit* meDOM2 = nullptr;
  MaskedEdit* meSEG1 = nullptr;
  MaskedEdit* meSEG2 = nullptr;
  MaskedEdit* meTER1 = nullptr;
  MaskedEdit* meTER2 = nullptr;
  MaskedEdit* meQUA1 = nullptr;
  MaskedEdit* meQUA2 = nullptr;
  MaskedEdit* meQUI1 = nullptr;
  MaskedEdit* meQUI2 = nullptr;
  MaskedEdit* meSEX1 = nullptr;
  MaskedEdit* meSEX2 = nullptr;
  MaskedEdit* meSAB1 = nullptr;
  MaskedEdit* meSAB2 = nullptr;
  QCheckBox* cbFER = nullptr;
  QPushButton* Button8 = nullptr;
  QPushButton* Button6 = nullptr;
  QPushButton* Button7 = nullptr;
  QPushButton* Button9 = nullptr;
  QPushButton* Button10 = nullptr;
  QPushButton* Button17 = nullptr;

  // "Cadastro"
  QTableWidget* sgLISTA = nullptr;
  QLabel* Label8 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* Button18 = nullptr;
  QLabel* Label9 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QPushButton* Button21 = nullptr;
  QPushButton* Button19 = nullptr;
  QPushButton* Button20 = nullptr;
  QLabel* Label22 = nullptr;
  QLineEdit* Edit11 = nullptr;
  QCheckBox* cbP1 = nullptr;
  QCheckBox* cbP2 = nullptr;
  QCheckBox* cbP3 = nullptr;
  QCheckBox* cbP4 = nullptr;
  QPushButton* Button39 = nullptr;
  QLabel* Label29 = nullptr;
  QLineEdit* Edit17 = nullptr;
  QPushButton* Button23 = nullptr;
  QPushButton* Button24 = nullptr;
  QPushButton* Button22 = nullptr;
  QPushButton* Button35 = nullptr;

  // "Feriados"
  QTableWidget* sgFER = nullptr;
  QPushButton* Button13 = nullptr;
  QPushButton* Button11 = nullptr;
  QPushButton* Button12 = nullptr;
  QPushButton* Button15 = nullptr;

  // "TX"
  QLabel* Label18 = nullptr;
  QLineEdit* Edit8 = nullptr;
  QPushButton* Button14 = nullptr;
  QLabel* Label19 = nullptr;
  QLineEdit* Edit9 = nullptr;
  QPushButton* Button16 = nullptr;
  QLabel* Label28 = nullptr;
  QLineEdit* Edit16 = nullptr;
  QPushButton* Button38 = nullptr;
  QPushButton* Button32 = nullptr;
  QLabel* lbPIL = nullptr;
  QPushButton* Button33 = nullptr;

  // "Pilha"
  QPushButton* Button34 = nullptr;
  QLabel* Label23 = nullptr;
  QTableWidget* sgPIL = nullptr;
  QPushButton* Button40 = nullptr;
  QPushButton* Button41 = nullptr;

  // "Leitura OnLine"
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* Button44 = nullptr;
  QPushButton* Button45 = nullptr;

  // Menu "Controlador" (menu_controller.cpp, handlers_controller.cpp): a backup of what
  // the controller holds into three files of one folder, and a verify against
  // the files of the "TX" page.
  QMenu* mnCONTROLADOR = nullptr;
  QAction* miSALVAR = nullptr;      // "Salvar cópia do controlador..."
  QAction* miVERIFICAR = nullptr;   // "Verificar controlador"
  QAction* miCOLETAR = nullptr;     // "Coletar registros"
  QAction* miPORTAS = nullptr;      // "Portas...", only with the port names
  PortsDialog* fmPORTAS = nullptr;  // created when first asked for
  QAction* miSITE = nullptr;        // "Site...": every controller of a building at once
  SiteWindow* fmSITE = nullptr;     // created when first asked for
  SharedFileDialog fdPASTA;         // the backup's folder, remembered between backups
  void miSALVARClick();
  void miVERIFICARClick();
  void miCOLETARClick();
  void miPORTASClick();
  void miSITEClick();
  // Where the verify's differences are shown; a modal list unless replaced.
  void UseDifferencesView(DifferencesView& view) { differences_ = &view; }

  // Start-up defaults, run once at the window's first activation.
  void FormActivate();
  // Empties every data cell of `grid` (row 0 stays) and lets the grid repaint.
  void LIMPA_stGRID(QTableWidget* grid);

  // "Config"
  void cbSERChange();
  void Button43Click();  // "Mudar"
  // "Funções básicas"
  void Button1Click();           // "Beep"
  void Button2Click(int relay);  // "Relé 1".."Relé 4": the button's tag
  void Button25Click();
  void Button26Click();
  void Button27Click();
  void Button28Click();
  void Button29Click();
  void Button30Click();
  void Button31Click();
  void Button36Click();
  void Button37Click();
  void Button42Click();
  // "Grupos"
  void Button6Click();
  void Button7Click();
  void Button8Click();
  void Button9Click();
  void Button10Click();
  // "Cadastro"
  void Button18Click();
  void Button19Click();
  void Button21Click();
  void Button23Click();
  void Button24Click();
  void Button35Click();
  void Button39Click();
  // "Feriados"
  void Button11Click();
  void Button12Click();
  void Button13Click();
  // "TX"
  void Button14Click();
  void Button16Click();
  void Button32Click();
  void Button33Click();
  void Button38Click();
  // "Pilha"
  void Button34Click();
  void Button40Click();
  void Button41Click();
  // "Leitura OnLine"
  void Button44Click();
  void Button45Click();
  void Timer1Timer();

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildWindow();
  // The described size and place, or what of them fits the screen.
  void FitToScreen();
  void BuildMenus();
  void BuildBusyLook();
  // Greys the current page's controls (all but the live ones), the tabs and
  // the menus, and shows "Cancelar"; or gives them back.
  void LookBusy(bool busy);
  // Ctrl+Enter on "TX", Enter on the focused button.
  void BuildKeys();
  void WatchTheLine();
  // The page's controls sit in a scrolling body, so a small window hides none.
  QWidget* PageBody(int page) const { return pageBodies_[page - 1]; }
  void BuildConfigPage();
  void BuildBasicPage();
  void BuildGroupsPage();
  void BuildTagsPage();
  void BuildHolidaysPage();
  void BuildTxPage();
  void BuildStackPage();
  void BuildOnlinePage();
  void ConnectHandlers();
  void ConnectRelayButtons();
  void OnClick(QPushButton* button, const QString& caption, void (TForm1::*handler)());
  void FirstActivation();
  void BuildControllerMenu();
  QString LastTraceLines();
  // The three paths of the "TX" page.
  ops::ConfigurationFiles TxPageFiles() const;

  LinkState link_;
  ComPortNames* names_;
  MessageSink& messages_;
  FileDialogs& dialogs_;
  StatusLine status_{*statusBar()};
  // A failure's details: the trace pane's last lines, as the pane shows them.
  WindowNotices notices_{messages_, status_, [this] { return LastTraceLines(); }};
  BusyWindow busy_{*this};
  std::array<QWidget*, 8> pageBodies_{};
  bool activated_ = false;
  bool placed_ = false;                    // fitted to the screen with its frame, at the first show
  int grownForTrace_ = 0;                  // what the window grew by when the trace pane opened
  std::vector<QPointer<QWidget>> greyed_;  // what LookBusy greyed, to give back
  bool cancelRequested_ = false;           // "Cancelar" was clicked in this operation
  bool cancelHeldBack_ = false;            // and a frame was held back for it
  std::uint64_t traceMark_ = 0;            // the trace rows taken before this operation
  QtDifferencesDialog ownDifferences_{this};
  DifferencesView* differences_ = &ownDifferences_;
};

}  // namespace zm48d
