// The "Controlador" menu over the emulated controller: a backup into one
// folder that the editors open, and a verify against the "TX" page's files
// whose differences go to a list the operator can copy.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "app/string_grid.h"
#include "tests/app/form_fixture.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

using Texts = std::vector<QString>;

bool UnderHourglass() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

struct RecordingDifferences final : DifferencesView {
  void ShowDifferences(const QString& heading, const QStringList& lines) override {
    shown.push_back({heading, lines, UnderHourglass()});
  }
  struct Shown {
    QString heading;
    QStringList lines;
    bool hourglass;
  };
  std::vector<Shown> shown;
};

class ControllerMenu : public FormTest {
 protected:
  void SetUp() override {
    form.FormActivate();
    form.UseDifferencesView(differences);
    const auto h = dir.Write("feriados0.txt", SampleHolidays(3));
    const auto g = dir.Write("grupos0.txt", SampleGroups(4));
    const auto t = dir.Write("lista0.txt", SampleTags(30));
    form.Edit8->setText(QString::fromStdString(h));
    form.Edit9->setText(QString::fromStdString(g));
    form.Edit16->setText(QString::fromStdString(t));
    form.Button33->click();  // "Enviar para o aparelho"
    ASSERT_TRUE(messages.shown.empty());
    line.emulator.ClearRequests();
    messages.onShow = [this](const QString&) { hourglass.push_back(UnderHourglass()); };
  }
  QString Folder() const { return QString::fromStdString(dir.Path("copia")); }

  RecordingDifferences differences;
  TempDir dir;
  std::vector<bool> hourglass;
};

TEST_F(ControllerMenu, AMenuBarAboveTheEightPages) {
  ASSERT_NE(form.menuWidget(), nullptr);
  EXPECT_TRUE(form.menuBar()->actions().contains(form.mnCONTROLADOR->menuAction()));
  EXPECT_EQ(form.mnCONTROLADOR->title(), "&Controlador");
  // The three entries, a separator and "Site...".
  ASSERT_EQ(form.mnCONTROLADOR->actions().size(), 5);
  EXPECT_EQ(form.miSALVAR->text(), "&Salvar cópia do controlador...");
  EXPECT_EQ(form.miVERIFICAR->text(), "&Verificar controlador");
  EXPECT_EQ(form.miCOLETAR->text(), "&Coletar registros");
  EXPECT_EQ(form.centralWidget(), form.PageControl1);
  EXPECT_EQ(form.PageControl1->count(), 8);
}

TEST_F(ControllerMenu, BackupWritesThreeFilesIntoOneFolderThatTheEditorsOpen) {
  QDir().mkpath(Folder());
  dialogs.answers = {Folder()};
  form.miSALVAR->trigger();
  EXPECT_EQ(messages.shown, Texts{"Cópia do controlador salva com sucesso!"});
  EXPECT_EQ(hourglass, std::vector<bool>{true});
  EXPECT_TRUE(messages.errors.empty());
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].kind, ScriptedFileDialogs::Kind::kFolder);
  EXPECT_EQ(dir.Read("copia/feriados.txt"),
            "ZM48D-FERIADOS\r\n3\r\n01/12*\r\n02/12*\r\n03/12*\r\n");
  for (const auto& request : line.emulator.Requests())
    EXPECT_EQ(request.data.at(0), 'L') << "reads only";
  EXPECT_FALSE(form.Link().serial.open);

  const QDir folder(Folder());
  dialogs.answers = {folder.filePath("grupos.txt"), folder.filePath("lista.txt"),
                     folder.filePath("feriados.txt")};
  form.Button9->click();   // groups "Abrir Arquivo"
  form.Button23->click();  // tag list
  form.Button12->click();  // holidays
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.errors.empty());
  EXPECT_EQ(CellText(*form.sgGRUPO, 4, 0), "04");
  EXPECT_EQ(CellText(*form.sgGRUPO, 4, 1), "08:00");
  EXPECT_EQ(CellText(*form.sgGRUPO, 3, 15), "Sim");
  EXPECT_EQ(CellText(*form.sgGRUPO, 5, 0), "");
  EXPECT_EQ(CellText(*form.sgLISTA, 30, 0), "A1001D");
  EXPECT_EQ(CellText(*form.sgLISTA, 30, 2), "05");
  EXPECT_EQ(CellText(*form.sgLISTA, 30, 3), "001");
  EXPECT_EQ(CellText(*form.sgFER, 2, 0), "02/12");

  // The folder dialog opens where the last backup went; a cancel reads nothing.
  line.emulator.ClearRequests();
  dialogs.calls.clear();
  form.miSALVAR->trigger();
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].lastName, Folder());
  EXPECT_TRUE(line.emulator.Requests().empty());
}

TEST_F(ControllerMenu, BackupThatCannotBeReadKeepsTheFolderAsItWas) {
  QDir().mkpath(Folder());
  line.emulator.SetFault({emu::Fault::kBadChecksum, 12, 1, 'G'});
  dialogs.answers = {Folder()};
  form.miSALVAR->trigger();
  EXPECT_EQ(messages.shown, Texts{"Erro na leitura do controlador!!"});
  EXPECT_TRUE(QDir(Folder()).isEmpty());
  EXPECT_FALSE(form.Link().serial.open);
}

// Files of an earlier backup, the operator's descriptions typed into them.
const std::vector<std::string> kDescribedTags = {"ZM48D-LISTA", "2", "A10000*05*000*Portaria",
                                                 "A10002*05*002*Sala * 2"};
const std::vector<std::string> kDescribedHolidays = {"ZM48D-FERIADOS", "1", "02/12*Festa"};

TEST_F(ControllerMenu, BackupOverEarlierFilesAsksAndKeepsTheirDescriptions) {
  QDir().mkpath(Folder());
  dir.Write("copia/lista.txt", kDescribedTags);
  dir.Write("copia/feriados.txt", kDescribedHolidays);
  const std::string tagsBefore = dir.Read("copia/lista.txt");
  const std::string holidaysBefore = dir.Read("copia/feriados.txt");
  dialogs.answers = {Folder()};
  form.miSALVAR->trigger();  // "Não"
  EXPECT_EQ(messages.questions,
            Texts{"Substituir os arquivos existentes em " + QDir::toNativeSeparators(Folder()) +
                  "?\nferiados.txt, lista.txt"});
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(line.emulator.Requests().empty());
  EXPECT_EQ(dir.Read("copia/lista.txt"), tagsBefore);
  EXPECT_EQ(dir.Read("copia/feriados.txt"), holidaysBefore);
  EXPECT_FALSE(QFile::exists(QDir(Folder()).filePath("grupos.txt")));

  messages.answer = true;
  dialogs.answers = {Folder()};
  form.miSALVAR->trigger();
  EXPECT_EQ(messages.questions.size(), 2u);
  EXPECT_EQ(messages.shown, Texts{"Cópia do controlador salva com sucesso!"});
  EXPECT_EQ(dir.Read("copia/feriados.txt"),
            "ZM48D-FERIADOS\r\n3\r\n01/12*\r\n02/12*Festa\r\n03/12*\r\n");
  const std::string tags = dir.Read("copia/lista.txt");
  const std::string described =
      "ZM48D-LISTA\r\n30\r\nA10000*05*000*Portaria\r\nA10001*05*001*\r\nA10002*05*002*Sala * 2\r\n";
  EXPECT_EQ(tags.substr(0, described.size()), described);
  EXPECT_NE(tags.find("\r\nA1001D*05*001*\r\n"), std::string::npos);
  EXPECT_FALSE(form.StatusText().contains(QStringLiteral("descrições")))
      << form.StatusText().toStdString();
}

// A file that is not one of its kind is replaced without descriptions, and the
// status line says so.
TEST_F(ControllerMenu, BackupOverAnIncompatibleFileSaysSoOnTheStatusLine) {
  QDir().mkpath(Folder());
  dir.Write("copia/lista.txt", {"ZM48D-GRUPOS", "0"});
  messages.answer = true;
  dialogs.answers = {Folder()};
  form.miSALVAR->trigger();
  EXPECT_EQ(messages.shown, Texts{"Cópia do controlador salva com sucesso!"});
  const std::string undescribed = "ZM48D-LISTA\r\n30\r\nA10000*05*000*\r\n";
  EXPECT_EQ(dir.Read("copia/lista.txt").substr(0, undescribed.size()), undescribed);
  EXPECT_TRUE(form.StatusText().contains(
      QStringLiteral("; lista.txt: descrições não mantidas (arquivo incompatível)")))
      << form.StatusText().toStdString();
}

// The real box: "Sim" and "Não", with "Não" taken by Enter and by Escape.
TEST_F(ControllerMenu, QuestionBoxAnswersSimOnlyWhenSimIsChosen) {
  QtMessageSink real(&form);
  const auto answer = [&](const std::function<void(QMessageBox&)>& operatorDoes) {
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      operatorDoes(*box);
    });
    return real.Ask(QStringLiteral("Zerar?"));
  };
  QStringList captions;
  EXPECT_FALSE(answer([&](QMessageBox& box) {
    for (QAbstractButton* button : box.buttons()) captions << button->text();
    box.defaultButton()->click();
  }));
  captions.sort();
  EXPECT_EQ(captions, (QStringList{"Não", "Sim"}));
  EXPECT_FALSE(answer([](QMessageBox& box) { box.escapeButton()->click(); }));
  EXPECT_TRUE(answer([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); }));
}

TEST_F(ControllerMenu, VerifyShowsTheDifferencesOnceTheReadIsOver) {
  form.miVERIFICAR->trigger();
  EXPECT_EQ(messages.shown, Texts{"Controlador confere com os arquivos!"});
  EXPECT_TRUE(differences.shown.empty());

  messages.shown.clear();
  line.emulator.With([](emu::Controller& c) {
    c.eeprom[0x26 + 29 + 4] = 0x09;  // group 2, Tuesday start
    c.settings[0xB000 + 3] = 0x0F;   // the first tag's doors
  });
  form.miVERIFICAR->trigger();
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_EQ(differences.shown.size(), 1u);
  EXPECT_EQ(differences.shown[0].heading, "Diferenças entre o controlador e os arquivos:");
  EXPECT_EQ(differences.shown[0].lines,
            (QStringList{"grupo 02, Terça início: controlador 09:00, arquivo 08:00",
                         "tag A10000: portas controlador 0F, arquivo 05"}));
  EXPECT_FALSE(differences.shown[0].hourglass);
  EXPECT_FALSE(form.Link().serial.open);
  EXPECT_TRUE(form.StatusText().contains("Verificar controlador: 2 diferenças, "))
      << form.StatusText().toStdString();

  // Only the files chosen on the page are compared.
  differences.shown.clear();
  form.Edit9->clear();
  form.miVERIFICAR->trigger();
  ASSERT_EQ(differences.shown.size(), 1u);
  EXPECT_EQ(differences.shown[0].lines,
            QStringList{"tag A10000: portas controlador 0F, arquivo 05"});
  EXPECT_TRUE(form.StatusText().contains(": 1 diferença, ")) << form.StatusText().toStdString();

  form.Edit8->clear();
  form.Edit16->clear();
  form.miVERIFICAR->trigger();
  EXPECT_EQ(messages.shown, Texts{"Escolha os arquivos corretamente!"});
}

// The real dialog: "Copiar" puts every line on the clipboard, Ctrl+C the
// selected ones.
TEST_F(ControllerMenu, DifferencesDialogListCanBeCopied) {
  QtDifferencesDialog dialog(&form);
  QString copiedAll, copiedSelected;
  QTimer::singleShot(0, [&] {
    QWidget* shown = QApplication::activeModalWidget();
    ASSERT_NE(shown, nullptr);
    shown->findChild<QPushButton*>("btCOPIAR")->click();
    copiedAll = QGuiApplication::clipboard()->text();
    auto* list = shown->findChild<QListWidget*>("lbDIFERENCAS");
    list->item(1)->setSelected(true);
    list->actions().at(0)->trigger();
    copiedSelected = QGuiApplication::clipboard()->text();
    shown->close();
  });
  dialog.ShowDifferences("Diferenças:", {"linha 1", "linha 2", "linha 3"});
  EXPECT_EQ(copiedAll, "linha 1\nlinha 2\nlinha 3\n");
  EXPECT_EQ(copiedSelected, "linha 2\n");
}

// The real folder dialog offers folders only and opens on the last one.
TEST_F(ControllerMenu, FolderDialogChoosesAFolder) {
  QDir().mkpath(Folder());
  QtFileDialogs real(&form);
  bool foldersOnly = false;
  QTimer::singleShot(0, [&] {
    auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    foldersOnly = shown->fileMode() == QFileDialog::Directory;
    static_cast<QDialog*>(shown)->accept();  // as the dialog's own button does
  });
  const std::optional<QString> chosen = real.FolderName(Folder());
  EXPECT_TRUE(foldersOnly);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(QDir(*chosen), QDir(Folder()));
}

}  // namespace
}  // namespace zm48d::testing
