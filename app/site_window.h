#pragma once
// "Controlador" -> "Site...": the controllers of one building, read from a site
// file, and one operation run on all of them at once. The run goes on a worker
// thread of its own (a thread per controller under it), so the window keeps
// painting and shows each controller's progress as it comes.
#include <cstddef>
#include <string>
#include <thread>

#include <QWidget>

#include "app/file_dialogs.h"
#include "site/site_run.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace zm48d {

class SiteWindow final : public QWidget {
  Q_OBJECT

 public:
  SiteWindow(FileDialogs& dialogs, QWidget* parent);
  // Waits for a run still going: its controllers' threads use the site it holds.
  ~SiteWindow() override;

  // Reads the site file: its controllers in the table, or its fault (with the
  // line) in place of them. False for a fault.
  bool OpenSite(const QString& path);
  // "Abrir site...": the file chosen in the dialog.
  void btABRIRClick();
  // Starts `task` on every controller; false when no site is open or a run goes.
  bool Run(const site::ControllerTask& task);
  bool IsRunning() const { return worker_.joinable(); }

  QPushButton* btABRIR = nullptr;      // "Abrir site..."
  QLabel* lbARQUIVO = nullptr;         // the site file's path
  QLabel* lbERRO = nullptr;            // why the site file was refused
  QTableWidget* sgSITE = nullptr;      // "Controlador", "Porta", "Progresso", "Resultado"
  QPushButton* btESTADO = nullptr;     // "Estado"
  QPushButton* btENVIAR = nullptr;     // "Enviar"
  QPushButton* btENVIARV = nullptr;    // "Enviar e verificar"
  QPushButton* btVERIFICAR = nullptr;  // "Verificar"
  QPushButton* btCOPIA = nullptr;      // "Cópia de segurança..."
  QPushButton* btRELOGIO = nullptr;    // "Acertar relógio"
  QPushButton* btCOLETAR = nullptr;    // "Coletar registros"; only where the event store is built

 private:
  class RowObserver;

  QWidget* BuildButtons();
  void btCOPIAClick();
  void ShowSite();
  void ShowProgress(std::size_t row, const QString& text);
  void ShowOutcome(std::size_t row, const site::ControllerOutcome& outcome);
  void RunEnded();
  // The operation buttons usable: a site open and no run going.
  void EnableButtons();

  SharedFileDialog odSITE_;
  SharedFileDialog fdPASTA_;  // the backup's folder, remembered between backups
  site::Site site_;           // left alone while a run goes: its threads read it
  bool open_ = false;
  std::jthread worker_;
};

}  // namespace zm48d
