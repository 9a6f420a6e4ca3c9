// "Beep": the simplest port cycle, one 'H' request and its answer.
#include "app/form1.h"
#include "protocol/frames.h"

namespace zm48d {

void TForm1::Button1Click() {
  if (!OpenPort(QStringLiteral("Erro ao abrir a porta serial!!"))) return;
  PortCloser closer(link_.serial);
  LinkStatus status = link_status::kOk;
  if (!Beep(link_, status)) messages_.Show(QStringLiteral("Erro!!"));
}

}  // namespace zm48d
