#include "link/port_url.h"

#include <charconv>
#include <system_error>

namespace zm48d {

namespace {

constexpr std::string_view kSchemeEnd = "://";

std::optional<NetworkProtocol> ProtocolOf(std::string_view scheme) {
  if (scheme == "rfc2217") return NetworkProtocol::kRfc2217;
  if (scheme == "socket") return NetworkProtocol::kRawTcp;
  return std::nullopt;
}

std::optional<std::uint16_t> PortNumber(std::string_view digits) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  if (value == 0 || value > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

std::optional<PortUrl> Refuse(std::string& problem, std::string_view why) {
  problem = why;
  return std::nullopt;
}

}  // namespace

bool IsPortUrl(std::string_view name) {
  const auto end = name.find(kSchemeEnd);
  if (end == std::string_view::npos || end == 0) return false;
  for (char c : name.substr(0, end)) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool digit = c >= '0' && c <= '9';
    if (!letter && !digit && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

std::optional<PortUrl> ParsePortUrl(std::string_view name, std::string& problem) {
  if (!IsPortUrl(name)) return Refuse(problem, "not a URL");
  const auto schemeEnd = name.find(kSchemeEnd);
  const auto protocol = ProtocolOf(name.substr(0, schemeEnd));
  if (!protocol) return Refuse(problem, "unknown scheme (rfc2217:// or socket://)");
  std::string_view rest = name.substr(schemeEnd + kSchemeEnd.size());
  // Options after the address ("?logging=debug" in other tools) and a trailing
  // slash carry nothing this terminal uses.
  rest = rest.substr(0, rest.find_first_of("/?"));
  std::string_view host;
  std::string_view port;
  if (rest.starts_with('[')) {
    const auto close = rest.find(']');
    if (close == std::string_view::npos) return Refuse(problem, "unclosed [ in the address");
    host = rest.substr(1, close - 1);
    rest.remove_prefix(close + 1);
    if (!rest.starts_with(':')) return Refuse(problem, "no port number");
    port = rest.substr(1);
  } else {
    const auto colon = rest.rfind(':');
    if (colon == std::string_view::npos) return Refuse(problem, "no port number");
    host = rest.substr(0, colon);
    port = rest.substr(colon + 1);
    if (host.find(':') != std::string_view::npos) {
      return Refuse(problem, "an IPv6 address needs brackets: [::1]:PORT");
    }
  }
  if (host.empty()) return Refuse(problem, "no host");
  const auto number = PortNumber(port);
  if (!number) return Refuse(problem, "the port number must be 1 to 65535");
  return PortUrl{*protocol, std::string(host), *number};
}

std::string HostAndPort(const PortUrl& url) {
  const bool ipv6 = url.host.find(':') != std::string::npos;
  return (ipv6 ? "[" + url.host + "]" : url.host) + ":" + std::to_string(url.port);
}

}  // namespace zm48d
