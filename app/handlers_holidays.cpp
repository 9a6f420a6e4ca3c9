// "Feriados": save and open the holidays file. The dates and descriptions are
// typed into the grid directly.
#include "app/editor_files.h"
#include "app/form1.h"

namespace zm48d {

void TForm1::Button11Click() { SaveGridFile(sdARQ, *sgFER, HolidaysFileLayout()); }

void TForm1::Button12Click() {
  LoadGridFile(
      odARQ, *sgFER, HolidaysFileLayout(), [this] { Button13Click(); }, messages_);
}

}  // namespace zm48d
