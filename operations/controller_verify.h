#pragma once
// "Verificar controlador" and `zm48d verify`: the images an upload would send
// from the files, built by the upload's own code, set against what the
// controller holds. Reads only, like the backup.
#include <cstddef>
#include <string>
#include <vector>

#include "operations/configuration_files.h"
#include "operations/session.h"

namespace zm48d::ops {

enum class VerifyOutcome {
  kEqual,      // the controller holds what the files give it
  kDifferent,  // `differences` says where not
  kFailed,     // the files or the read failed, with its text
};

struct VerifyResult {
  VerifyOutcome outcome = VerifyOutcome::kFailed;
  std::vector<std::string> differences;  // one line each
};

// Any of the three files (an empty path leaves that part out; none at all is
// "Escolha os arquivos corretamente!"). The files are read and checked before
// the port is opened: a wrong header is "Arquivos incompatíveis!!", tables the
// upload would refuse as too large are "Arquivos maiores que a memória do
// controlador!!"; the runtime's errors (a file that cannot be opened, a count
// that is no number, a missing data line) end the verify there. Then one port
// cycle reads what is needed. "Controlador confere com os arquivos!" when equal.
VerifyResult VerifyController(const Session& session, const ConfigurationFiles& files);

// How many differences a verify found, in one line: "1 diferença", "12 diferenças".
std::string DifferenceCountText(std::size_t count);

}  // namespace zm48d::ops
