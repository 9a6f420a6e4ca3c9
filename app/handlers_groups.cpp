// "Grupos": insert, save and open the groups file.
// Not written yet: each handler still does nothing.
#include "app/form1.h"

namespace zm48d {

void TForm1::Button6Click() {}
void TForm1::Button7Click() {}
void TForm1::Button9Click() {}
void TForm1::Button10Click() {}

}  // namespace zm48d
