// The test's own ser2net in front of the emulator: a request through its raw
// port reaches the controller and the answer comes back, also after a crash and
// a restart; and a second client is turned away, with the text ser2net sends.
#include "tests/support/ser2net_server.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "emulator/pty_emulator.h"
#include "protocol/frames.h"
#include "tests/support/tcp_peers.h"

namespace zm48d::testing {
namespace {

// The beeper request, 'H' with no data: 02 AA 1E 'H' 00 1C 03 sum 04.
std::vector<std::uint8_t> BeepFrame() {
  std::vector<std::uint8_t> frame{0x02, kDefaultHeadAddress, 0x1E, 'H', 0x00, 0x1C, 0x03};
  frame.push_back(FrameChecksum(frame.data(), static_cast<int>(frame.size())));
  frame.push_back(0x04);
  return frame;
}

// Sends the beeper request through `port` and expects one well-formed answer.
void ExpectBeepAnswered(std::uint16_t port) {
  TcpClient client(port);
  ASSERT_TRUE(client.Connected());
  ASSERT_TRUE(client.Send(BeepFrame()));
  std::vector<std::uint8_t> answer = client.Receive(4, 2000);
  ASSERT_EQ(answer.size(), 4u);
  const std::size_t size = answer[3] + 8u;  // 02 head 1E n sep data[n] trl sum end
  const std::vector<std::uint8_t> rest = client.Receive(size - 4, 2000);
  answer.insert(answer.end(), rest.begin(), rest.end());
  ASSERT_EQ(answer.size(), size);
  EXPECT_EQ(answer[0], 0x02);
  EXPECT_EQ(answer[1], kDefaultHeadAddress);
  EXPECT_EQ(answer[size - 2], FrameChecksum(answer.data(), static_cast<int>(size) - 2));
}

TEST(Ser2netServer, RawPortCarriesRequestsAlsoAfterACrashAndARestart) {
  emu::PtyEmulator emulator;
  Ser2netServer server(emulator.TerminalPath());
  ASSERT_EQ(server.Failure(), "");
  EXPECT_EQ(server.SocketUrl(), "socket://127.0.0.1:" + std::to_string(server.SocketPort()));
  EXPECT_EQ(server.Rfc2217Url(), "rfc2217://127.0.0.1:" + std::to_string(server.Rfc2217Port()));

  ExpectBeepAnswered(server.SocketPort());
  server.Kill();
  EXPECT_FALSE(TcpClient(server.SocketPort()).Connected());
  ASSERT_TRUE(server.Start()) << server.Failure();
  ExpectBeepAnswered(server.SocketPort());

  const std::vector<emu::Request> requests = emulator.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].command, 'H');
}

std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// What ser2net 4.3 sends a client it turns away, then it closes the connection.
// On the rfc2217 port its Telnet options come first:
//   FF FB 03  FF FD 03  FF FB 01  FF FE 01  FF FD 00  FF FB 00  FF FD 2C
// (WILL and DO SUPPRESS-GO-AHEAD, WILL and DONT ECHO, DO and WILL BINARY, DO
// COM-PORT-OPTION), the same bytes every client gets on connecting there.
const std::vector<std::uint8_t> kTelnetOptions{0xFF, 0xFB, 0x03, 0xFF, 0xFD, 0x03, 0xFF,
                                               0xFB, 0x01, 0xFF, 0xFE, 0x01, 0xFF, 0xFD,
                                               0x00, 0xFF, 0xFB, 0x00, 0xFF, 0xFD, 0x2C};

struct TurnedAway {
  std::string name;
  bool firstOnRfc2217;
  bool secondOnRfc2217;
  std::string text;
};
void PrintTo(const TurnedAway& row, std::ostream* out) { *out << row.name; }

class Ser2netSecondClient : public ::testing::TestWithParam<TurnedAway> {};

TEST_P(Ser2netSecondClient, IsTurnedAwayWithTheServersText) {
  emu::PtyEmulator emulator;
  Ser2netServer server(emulator.TerminalPath());
  ASSERT_EQ(server.Failure(), "");
  const auto port = [&](bool rfc2217) {
    return rfc2217 ? server.Rfc2217Port() : server.SocketPort();
  };
  TcpClient first(port(GetParam().firstOnRfc2217));
  ASSERT_TRUE(first.Connected());
  first.Receive(64, 200);  // the Telnet options, on the rfc2217 port

  TcpClient second(port(GetParam().secondOnRfc2217));
  const std::string expected =
      (GetParam().secondOnRfc2217 ? Text(kTelnetOptions) : "") + GetParam().text;
  EXPECT_EQ(Text(second.Receive(expected.size(), 2000)), expected);
  EXPECT_TRUE(second.ClosedByPeer(2000));

  // The first client still reaches the controller.
  ASSERT_TRUE(first.Send(BeepFrame()));
  EXPECT_FALSE(first.Receive(1, 2000).empty());
}

INSTANTIATE_TEST_SUITE_P(
    EachPort, Ser2netSecondClient,
    ::testing::Values(TurnedAway{"RawThenRaw", false, false, "Port already in use\r\n"},
                      TurnedAway{"Rfc2217ThenRfc2217", true, true, "Port already in use\r\n"},
                      TurnedAway{"RawThenRfc2217", false, true, "Port's device already in use\r\n"},
                      TurnedAway{"Rfc2217ThenRaw", true, false,
                                 "Port's device already in use\r\n"}),
    [](const ::testing::TestParamInfo<TurnedAway>& info) { return info.param.name; });

}  // namespace
}  // namespace zm48d::testing
