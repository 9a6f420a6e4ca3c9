#pragma once
// "Calcular espaço para pilha": how many event records the controller's stack
// will hold once the rules from a holidays file and a groups file are loaded.
// Only the header and count lines are read; nothing is sent.
#include <optional>
#include <string>
#include <string_view>

namespace zm48d::ops {

struct StackSpaceCalculation {
  std::optional<long long> space;  // the record count, negative when the tables do not fit
  std::string_view message;        // when there is no count: the operator's text
};

// An empty path gives "Escolha os arquivos corretamente!"; a wrong header, a
// missing line or a count line that is not a whole number gives "Arquivos
// incompatíveis!!". The counts are used whole (not cut to a byte). A path that
// names no readable file throws FileError.
StackSpaceCalculation CalculateStackSpace(const std::string& holidaysPath,
                                          const std::string& groupsPath);

// "= N", as the page's label shows a count.
std::string StackSpaceCaption(long long space);

}  // namespace zm48d::ops
