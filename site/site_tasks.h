#pragma once
// What `zm48d site` and the window's site dialog can do on every controller at
// once, each the single-controller operation with the files the site names.
#include <string>

#include "site/site_run.h"

namespace zm48d::site {

// The beep's answer, the clock, the stored head address and the tag count.
ControllerTask StatusTask();
// The send sequence with the controller's files; with `verify`, then a verify.
ControllerTask SendTask(bool verify);
ControllerTask VerifyTask();
// The configuration read back into `folder`/<name>/feriados.txt, grupos.txt, lista.txt.
ControllerTask BackupTask(std::string folder);
// The clock set from this PC's local time, taken when the controller's turn comes.
ControllerTask ClockSyncTask();

}  // namespace zm48d::site
