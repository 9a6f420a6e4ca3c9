// "Funções básicas": relays, relay times, reader timeouts, head address, clock, memory reset.
// Not written yet: each handler still does nothing.
#include "app/form1.h"

namespace zm48d {

void TForm1::Button2Click(int /*relay*/) {}
void TForm1::Button25Click() {}
void TForm1::Button26Click() {}
void TForm1::Button27Click() {}
void TForm1::Button28Click() {}
void TForm1::Button29Click() {}
void TForm1::Button30Click() {}
void TForm1::Button31Click() {}
void TForm1::Button36Click() {}
void TForm1::Button37Click() {}
void TForm1::Button42Click() {}

}  // namespace zm48d
