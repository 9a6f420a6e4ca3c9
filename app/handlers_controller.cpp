// The "Controlador" menu: a backup of what the controller holds, and a verify
// of the controller against the files of the "TX" page. Both only read.
#include <QDir>

#include "app/file_paths.h"
#include "app/form1.h"
#include "app/hourglass.h"
#include "operations/controller_backup.h"
#include "operations/controller_verify.h"

namespace zm48d {

namespace {

// The backup's three files in the chosen folder; a backup taken before is
// replaced, once the new one has been read whole.
const QString kHolidaysFileName = QStringLiteral("feriados.txt");
const QString kGroupsFileName = QStringLiteral("grupos.txt");
const QString kTagListFileName = QStringLiteral("lista.txt");

std::string PathIn(const QString& folder, const QString& name) {
  return FilePathBytes(QDir(folder).filePath(name));
}

}  // namespace

// "Salvar cópia do controlador...": the folder is chosen once for the three files.
void TForm1::miSALVARClick() {
  if (!fdPASTA.Execute()) return;
  const QString& folder = fdPASTA.FileName();
  const Hourglass hourglass;
  ops::BackupController(Session(), {PathIn(folder, kHolidaysFileName), PathIn(folder, kGroupsFileName),
                                    PathIn(folder, kTagListFileName)});
}

// "Verificar controlador": the chosen files of the "TX" page, any of them; the
// differences in a list once the port is closed and the cursor back.
void TForm1::miVERIFICARClick() {
  ops::VerifyResult result;
  {
    const Hourglass hourglass;
    result = ops::VerifyController(Session(), TxPageFiles());
  }
  if (result.outcome != ops::VerifyOutcome::kDifferent) return;
  // The status line says so beside the list ("Verificar controlador: 3
  // diferenças"), and after it closes.
  const std::string count = ops::DifferenceCountText(result.differences.size());
  status_.Tally().failureText = count;
  status_.Progress(miVERIFICAR->text() + QStringLiteral(": ") + FromUtf8(count));
  QStringList lines;
  for (const std::string& line : result.differences) lines << FromUtf8(line);
  differences_->ShowDifferences(QStringLiteral("Diferenças entre o controlador e os arquivos:"), lines);
}

}  // namespace zm48d
