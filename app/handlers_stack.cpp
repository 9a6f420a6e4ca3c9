// "Pilha": event download and the two hidden test buttons.
// Not written yet: each handler still does nothing.
#include "app/form1.h"

namespace zm48d {

void TForm1::Button34Click() {}
void TForm1::Button40Click() {}
void TForm1::Button41Click() {}

}  // namespace zm48d
