#include <string>

#include "link/port_url.h"

#include <gtest/gtest.h>

#include "link/com_port_names.h"

namespace zm48d {
namespace {

struct UrlCase {
  const char* name;
  bool parses;
  NetworkProtocol protocol;
  const char* host;
  int port;
  const char* problem;
};

TEST(PortUrl, ParsesTheTwoSchemesAndSaysWhatIsWrongWithOthers) {
  using enum NetworkProtocol;
  const UrlCase cases[] = {
      {"rfc2217://127.0.0.1:2217", true, kRfc2217, "127.0.0.1", 2217, ""},
      {"socket://controller.site:4001", true, kRawTcp, "controller.site", 4001, ""},
      {"socket://[::1]:4001", true, kRawTcp, "::1", 4001, ""},
      {"rfc2217://host:7000/?logging=debug", true, kRfc2217, "host", 7000, ""},
      {"rfc2217://host", false, kRfc2217, "", 0, "no port number"},
      {"socket://:4001", false, kRawTcp, "", 0, "no host"},
      {"socket://host:0", false, kRawTcp, "", 0, "the port number must be 1 to 65535"},
      {"socket://host:65536", false, kRawTcp, "", 0, "the port number must be 1 to 65535"},
      {"socket://host:40x1", false, kRawTcp, "", 0, "the port number must be 1 to 65535"},
      {"socket://::1:4001", false, kRawTcp, "", 0, "an IPv6 address needs brackets: [::1]:PORT"},
      {"socket://[::1:4001", false, kRawTcp, "", 0, "unclosed [ in the address"},
      {"telnet://host:23", false, kRawTcp, "", 0, "unknown scheme (rfc2217:// or socket://)"},
  };
  for (const UrlCase& c : cases) {
    std::string problem;
    const auto url = ParsePortUrl(c.name, problem);
    ASSERT_EQ(url.has_value(), c.parses) << c.name;
    if (!c.parses) {
      EXPECT_EQ(problem, c.problem) << c.name;
      continue;
    }
    EXPECT_EQ(url->protocol, c.protocol) << c.name;
    EXPECT_EQ(url->host, c.host) << c.name;
    EXPECT_EQ(url->port, c.port) << c.name;
  }
}

TEST(PortUrl, OnlyANameWithASchemeIsAUrl) {
  EXPECT_TRUE(IsPortUrl("rfc2217://h:1"));
  EXPECT_TRUE(IsPortUrl("telnet://h:1"));  // a URL still, so that it is refused as one
  EXPECT_FALSE(IsPortUrl("/dev/ttyUSB0"));
  EXPECT_FALSE(IsPortUrl("\\\\.\\COM3"));
  EXPECT_FALSE(IsPortUrl("/tmp/odd://name"));  // a path that happens to hold "://"
  EXPECT_FALSE(IsPortUrl("://host:1"));
}

TEST(PortUrl, MessagesNameTheServerWithBracketsForIPv6) {
  EXPECT_EQ(HostAndPort({NetworkProtocol::kRawTcp, "::1", 4001}), "[::1]:4001");
  EXPECT_EQ(HostAndPort({NetworkProtocol::kRfc2217, "site", 2217}), "site:2217");
}

TEST(ComPortNames, AnAssignmentLastsUntilItIsGivenBack) {
  ComPortNames names([](int n) { return "/dev/ttyS" + std::to_string(n - 1); });
  const DevicePathResolver resolve = names.Resolver();
  EXPECT_EQ(resolve(3), "/dev/ttyS2");
  names.Assign(3, "rfc2217://site:2217");
  EXPECT_TRUE(names.IsAssigned(3));
  EXPECT_EQ(resolve(3), "rfc2217://site:2217");  // the resolver reads the table at each open
  EXPECT_EQ(resolve(4), "/dev/ttyS3");
  names.Assign(3, "");
  EXPECT_FALSE(names.IsAssigned(3));
  EXPECT_EQ(resolve(3), "/dev/ttyS2");
}

}  // namespace
}  // namespace zm48d
