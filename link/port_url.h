#pragma once
// Network port names, in the form serial tools already use for them:
//   rfc2217://HOST:PORT  Telnet with the COM-PORT-OPTION: the line settings travel too
//   socket://HOST:PORT   the raw bytes; the line settings are the server's
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zm48d {

enum class NetworkProtocol { kRfc2217, kRawTcp };

struct PortUrl {
  NetworkProtocol protocol = NetworkProtocol::kRawTcp;
  std::string host;  // a name, an IPv4 address, or an IPv6 address without its brackets
  std::uint16_t port = 0;
};

// True when `name` has a URL scheme ("xyz://"): a network port, or a mistyped one,
// never a device path.
bool IsPortUrl(std::string_view name);

// The URL's parts; std::nullopt with `problem` set ("no port number") when `name`
// is not a network port this terminal can reach.
std::optional<PortUrl> ParsePortUrl(std::string_view name, std::string& problem);

// "HOST:PORT", with brackets around an IPv6 address: how messages name the server.
std::string HostAndPort(const PortUrl& url);

}  // namespace zm48d
