// "Cadastro": insert, save and open the tag list, tags from the event stack.
// Not written yet: each handler still does nothing.
#include "app/form1.h"

namespace zm48d {

void TForm1::Button18Click() {}
void TForm1::Button19Click() {}
void TForm1::Button23Click() {}
void TForm1::Button24Click() {}
void TForm1::Button39Click() {}

}  // namespace zm48d
