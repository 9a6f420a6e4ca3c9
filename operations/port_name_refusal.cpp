#include "operations/port_name_refusal.h"

#include <array>
#include <utility>

#include "link/port_url.h"
#include "operations/operator_texts.h"

namespace zm48d::ops {

namespace {

// The URL parser's reasons, in the words the window shows. A reason missing
// here is shown as the parser gives it rather than hidden.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kProblemTexts{{
    {"unknown scheme (rfc2217:// or socket://)", text::kUrlUnknownScheme},
    {"unclosed [ in the address", text::kUrlUnclosedBracket},
    {"no port number", text::kUrlNoPort},
    {"an IPv6 address needs brackets: [::1]:PORT", text::kUrlIpv6NeedsBrackets},
    {"no host", text::kUrlNoHost},
    {"the port number must be 1 to 65535", text::kUrlBadPortNumber},
}};

std::string_view ProblemText(std::string_view problem) {
  for (const auto& [reason, words] : kProblemTexts) {
    if (reason == problem) return words;
  }
  return problem;
}

}  // namespace

std::string PortNameRefusal(std::string_view name) {
  if (!IsPortUrl(name)) return {};
  std::string problem;
  if (ParsePortUrl(name, problem)) return {};
  return std::string(text::kPortUrlRefused) + std::string(ProblemText(problem)) +
         std::string(text::kPortUrlRefusedEnd);
}

}  // namespace zm48d::ops
