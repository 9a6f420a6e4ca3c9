// "Feriados": save and open the holidays file.
// Not written yet: each handler still does nothing.
#include "app/form1.h"

namespace zm48d {

void TForm1::Button11Click() {}
void TForm1::Button12Click() {}

}  // namespace zm48d
