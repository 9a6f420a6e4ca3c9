#pragma once
// "Salvar cópia do controlador..." and `zm48d backup`: the controller's holiday
// table, group table and tag list read back and saved as the three files the
// editors and the send sequence take, so that sending them gives the controller
// the same tables and tag list again. The event stack is left as it is.
#include "operations/configuration_files.h"
#include "operations/session.h"

namespace zm48d::ops {

// Reads everything in one port cycle, then writes the three files together
// (each one whole or not at all): a file is replaced only when the whole read
// succeeded. "Cópia do controlador salva com sucesso!" when done. A file that
// cannot be written throws the runtime's "Cannot create file" error, leaving
// every old file as it was. The tag list and holidays files keep the
// descriptions of the files they replace (kept_descriptions.h); a replaced file
// whose descriptions could not be kept is told to the notices.
bool BackupController(const Session& session, const ConfigurationFiles& files);

}  // namespace zm48d::ops
