// The names the operator may give a "COM n": any device path, and the URLs of
// the network ports the terminal reaches; a refusal names the problem in the
// window's words.
#include <gtest/gtest.h>

#include "operations/port_name_refusal.h"

namespace zm48d::ops {
namespace {

TEST(PortNameRefusal, DevicesAndReachableUrlsAreTaken) {
  for (const char* name :
       {"/dev/ttyUSB0", "/dev/pts/7", "COM3", "\\\\.\\COM12", "rfc2217://10.0.0.5:4001",
        "socket://portaria:7000", "socket://[::1]:4001", "rfc2217://host:4001/?logging=debug"}) {
    EXPECT_EQ(PortNameRefusal(name), "") << name;
  }
}

TEST(PortNameRefusal, EachProblemOfAUrlInTheOperatorsWords) {
  const struct {
    const char* name;
    const char* refusal;
  } cases[] = {
      {"telnet://host:23", "URL inválida: use rfc2217:// ou socket://!!"},
      {"socket://[::1:4001", "URL inválida: falta o ] que fecha o endereço!!"},
      {"socket://portaria", "URL inválida: falta o número da porta!!"},
      {"rfc2217://::1:4001", "URL inválida: um endereço IPv6 vai entre colchetes: [::1]:PORTA!!"},
      {"socket://:4001", "URL inválida: falta o servidor!!"},
      {"socket://host:0", "URL inválida: o número da porta deve ser de 1 a 65535!!"},
      {"rfc2217://host:65536", "URL inválida: o número da porta deve ser de 1 a 65535!!"},
      {"socket://host:40x1", "URL inválida: o número da porta deve ser de 1 a 65535!!"},
  };
  for (const auto& c : cases) EXPECT_EQ(PortNameRefusal(c.name), c.refusal) << c.name;
}

}  // namespace
}  // namespace zm48d::ops
