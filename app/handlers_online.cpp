// "Leitura OnLine": polling the readers once a second.
// Not written yet: each handler still does nothing.
#include "app/form1.h"

namespace zm48d {

void TForm1::Button44Click() {}
void TForm1::Button45Click() {}
void TForm1::Timer1Timer() {}

}  // namespace zm48d
