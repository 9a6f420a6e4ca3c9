// Start-up defaults and the "Config" page: which port and which head address the
// terminal uses.
#include <cstdint>

#include <QComboBox>
#include <QLineEdit>

#include "app/form1.h"
#include "protocol/hex_text.h"

namespace zm48d {

void TForm1::FormActivate() {
  cbSER->setCurrentIndex(0);
  PortNumber = 1;
  link_.HeadAddress = kDefaultHeadAddress;
  link_.serial.baudRate = kDefaultBaudRate;
  Button8Click();
  Button13Click();
  Button21Click();
}

// The port is only opened by the next port cycle.
void TForm1::cbSERChange() { PortNumber = cbSER->currentIndex() + 1; }

// "Mudar": any text is taken; only upper-case hexadecimal digits count and a value
// above 0xFF keeps its low byte. Nothing is sent now: the next frame carries it.
void TForm1::Button43Click() {
  const std::uint64_t value = HexTextToInt(Edit10->text().toStdString());
  link_.HeadAddress = static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace zm48d
