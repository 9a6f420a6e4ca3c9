// zm48d-terminal: the test terminal's window.
#include <QApplication>

#include "app/file_dialogs.h"
#include "app/form1.h"
#include "app/message_sink.h"
#include "app/toolkit_language.h"
#include "link/platform_serial_link.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  zm48d::LoadToolkitTranslations(application);
  zm48d::QtMessageSink messages;
  zm48d::QtFileDialogs dialogs;
  zm48d::PlatformSerialLink device;
  zm48d::TForm1 form(device, messages, dialogs);
  messages.SetParent(&form);
  dialogs.SetParent(&form);
  form.show();
  return application.exec();
}
