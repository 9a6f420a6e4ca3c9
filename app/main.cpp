// zm48d-terminal: the test terminal's window.
#include <QApplication>
#include <QIcon>

#include <iostream>
#include <string_view>

#include "app/file_dialogs.h"
#include "app/form1.h"
#include "app/message_sink.h"
#include "app/toolkit_language.h"
#include "link/com_port_names.h"
#include "link/port_link.h"
#include "zm48d_version.h"

namespace {

// Answered before Qt starts, so that it needs no display.
bool AsksForVersion(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--version") return true;
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (AsksForVersion(argc, argv)) {
    std::cout << "zm48d-terminal " << zm48d::kVersion << '\n';
    return 0;
  }
  QApplication application(argc, argv);
  zm48d::LoadToolkitTranslations(application);
  // The installed desktop entry and icon carry this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("zm48d-terminal"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("zm48d-terminal")));
  zm48d::QtMessageSink messages;
  zm48d::QtFileDialogs dialogs;
  // What each "COM n" stands for, read by the link at each open; the operator
  // may change it for this run ("Controlador" -> "Portas...").
  zm48d::ComPortNames names;
  zm48d::PortLink device(names.Resolver());
  zm48d::TForm1 form(device, messages, dialogs, &names);
  messages.SetParent(&form);
  dialogs.SetParent(&form);
  form.show();
  return application.exec();
}
