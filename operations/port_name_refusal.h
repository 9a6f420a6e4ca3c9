#pragma once
// Whether a name the operator gives "COM n" can be opened as one: any device
// path is taken (the open tells whether it exists), a URL only when the
// terminal can reach that kind of network port.
#include <string>
#include <string_view>

namespace zm48d::ops {

// Empty when `name` is taken; else the operator's message naming the problem:
// "URL inválida: falta o número da porta!!".
std::string PortNameRefusal(std::string_view name);

}  // namespace zm48d::ops
