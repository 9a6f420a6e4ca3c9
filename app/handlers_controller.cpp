// The "Controlador" menu: a backup of what the controller holds, a verify of
// the controller against the files of the "TX" page, and the harvest of its
// events into the event store.
#include <string>

#include <QDir>
#include <QStringList>

#include "app/file_paths.h"
#include "app/form1.h"
#include "app/hourglass.h"
#include "files/line_file.h"
#include "operations/controller_backup.h"
#include "operations/controller_verify.h"
#include "operations/event_harvest.h"
#include "operations/operator_texts.h"
#include "store/event_store.h"

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

// The backup's files that are already in `folder`, by name.
QStringList FilesThere(const QString& folder) {
  QStringList there;
  for (const QString& name : {kHolidaysFileName, kGroupsFileName, kTagListFileName}) {
    if (PathExists(PathIn(folder, name))) there << name;
  }
  return there;
}

// "Substituir os arquivos existentes em /home/ana/copia?" and the files below.
QString ReplaceQuestion(const QString& folder, const QStringList& names) {
  return FromUtf8(text::kReplaceFilesQuestion) + QDir::toNativeSeparators(folder) +
         FromUtf8(text::kReplaceFilesQuestionEnd) + QLatin1Char('\n') +
         names.join(QStringLiteral(", "));
}

}  // namespace

// "Salvar cópia do controlador...": the folder is chosen once for the three files.
// Files already there are replaced only when the operator says so; their
// descriptions are kept either way (ops::BackupController).
void TForm1::miSALVARClick() {
  if (!fdPASTA.Execute()) return;
  const QString& folder = fdPASTA.FileName();
  const QStringList there = FilesThere(folder);
  if (!there.isEmpty() && !messages_.Ask(ReplaceQuestion(folder, there))) return;
  const Hourglass hourglass;
  ops::BackupController(Session(),
                        {PathIn(folder, kHolidaysFileName), PathIn(folder, kGroupsFileName),
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
  differences_->ShowDifferences(QStringLiteral("Diferenças entre o controlador e os arquivos:"),
                                lines);
}

// "Coletar registros": the store is opened before the port, so that a store
// that cannot take the events leaves the controller untouched. The
// controller is known in the store by its port, "COM n".
void TForm1::miCOLETARClick() {
  const std::string location = store::DefaultStoreLocation();
  auto opened = store::OpenEventStore(location);
  if (!opened.ok()) {
    messages_.Show(FromUtf8(std::string(text::kStoreNotOpened) + location + ": " + opened.error()));
    return;
  }
  const std::string controller = "COM " + std::to_string(PortNumber);
  ops::HarvestResult result;
  {
    const Hourglass hourglass;
    result = ops::HarvestEvents(Session(), *opened.value(), controller, false);
  }
  if (result.ok()) status_.Tally().note = ops::HarvestedText(result.stored, controller);
}

}  // namespace zm48d
