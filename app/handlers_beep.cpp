// "Beep": the simplest port cycle, one 'H' request and its answer.
#include "app/form1.h"
#include "operations/device_operations.h"

namespace zm48d {

void TForm1::Button1Click() { ops::SoundBeep(Session()); }

}  // namespace zm48d
