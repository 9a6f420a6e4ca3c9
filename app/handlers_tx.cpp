// "TX" and "Enviar lista para o aparelho": stack space and sending to the controller.
// Not written yet: each handler still does nothing.
#include "app/form1.h"

namespace zm48d {

void TForm1::Button14Click() {}
void TForm1::Button16Click() {}
void TForm1::Button38Click() {}
void TForm1::Button32Click() {}
void TForm1::Button33Click() {}
void TForm1::Button35Click() {}

}  // namespace zm48d
