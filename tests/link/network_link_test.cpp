// The network link against scripted servers on the loopback interface: what a
// device server may do that ser2net in front of the emulator never does.
#include "link/network_link.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/time_bounds.h"

namespace zm48d {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace telnet;
using testing::Loaded;

// Listens on a free loopback port and runs `serve` on the first connection.
class ScriptedServer {
 public:
  explicit ScriptedServer(std::function<void(int)> serve) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    socklen_t length = sizeof(address);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    ::listen(listener_, 4);
    thread_ = std::thread([this, serve = std::move(serve)] {
      const int client = ::accept(listener_, nullptr, nullptr);
      if (client < 0) return;
      serve(client);
      ::close(client);
    });
  }
  ~ScriptedServer() {
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    ::close(listener_);
  }
  std::string Url(const char* scheme) const {
    return std::string(scheme) + "://127.0.0.1:" + std::to_string(port_);
  }

 private:
  int listener_;
  int port_ = 0;
  std::thread thread_;
};

// Reads what comes within `ms`.
Bytes Receive(int fd, int ms) {
  Bytes got;
  pollfd p{fd, POLLIN, 0};
  std::uint8_t buffer[512];
  while (::poll(&p, 1, ms) > 0) {
    const ssize_t n = ::read(fd, buffer, sizeof(buffer));
    if (n <= 0) break;
    got.insert(got.end(), buffer, buffer + n);
    ms = 50;
  }
  return got;
}

void Send(int fd, const Bytes& bytes) { (void)!::write(fd, bytes.data(), bytes.size()); }

Bytes Answer(std::uint8_t command, const Bytes& value) {
  Bytes out{kIac, kSb, kComPortOption, static_cast<std::uint8_t>(command + kServerAnswer)};
  for (std::uint8_t byte : value) out.push_back(byte);
  out.push_back(kIac);
  out.push_back(kSe);
  return out;
}

// An RFC 2217 server that answers the settings with `baud`, and first sends
// `stale` line data as an earlier client's leftovers would come.
std::function<void(int)> ComPortServer(Bytes baud, Bytes stale = {}) {
  return [baud, stale](int fd) {
    Receive(fd, 200);
    Send(fd, {kIac, kDo, kComPortOption, kIac, kWill, 1});
    Send(fd, stale);
    Receive(fd, 200);
    Bytes answers = Answer(kPurgeData, {3});
    for (const Bytes& a :
         {Answer(kSetBaudRate, baud), Answer(kSetDataSize, {8}), Answer(kSetParity, {1}),
          Answer(kSetStopSize, {1}), Answer(kSetControl, {1})}) {
      answers.insert(answers.end(), a.begin(), a.end());
    }
    Send(fd, answers);
    // Echo the line, as a loop-back plug on the device would.
    Bytes line = Receive(fd, 500);
    Send(fd, line);
    Receive(fd, 500);
  };
}

struct OpenedLink {
  explicit OpenedLink(std::string url) : link([url](int) { return url; }) {}
  NetworkLink link;
};

TEST(NetworkLink, Rfc2217SettingsConfirmedLeftoversDroppedAndIacsDoubledBothWays) {
  ScriptedServer server(ComPortServer({0, 0, 0x4B, 0x00}, {0x02, 0xAA, 0x55}));
  OpenedLink opened(server.Url("rfc2217"));
  ASSERT_TRUE(opened.link.OpenDevice(1, 19200)) << opened.link.LastOpenFailure().Reason();
  const Bytes line{0x02, 0xFF, 0xFF, 0x10, 0x03};
  int written = 0;
  ASSERT_TRUE(opened.link.Write(line.data(), static_cast<int>(line.size()), written));
  EXPECT_EQ(written, 5);
  // The loop-back returns the doubled bytes, which come out as the line again;
  // the leftovers that came before the settings' answers are gone.
  Bytes back(line.size());
  int read = 0;
  ASSERT_TRUE(opened.link.Read(static_cast<int>(back.size()), back.data(), read));
  EXPECT_EQ(back, line);
  opened.link.CloseDevice();
}

TEST(NetworkLink, ServersThatRefuseOrDoNotAnswerFailTheOpenWithTheirReason) {
  using Problem = OpenFailure::Problem;
  struct Case {
    const char* what;
    std::function<void(int)> serve;
    Problem problem;
    const char* reason;
  };
  const Case cases[] = {
      {"another baud rate", ComPortServer({0, 0, 0x25, 0x80}), Problem::kSettingRefused,
       "the server did not confirm the baud rate"},
      {"no COM-PORT-OPTION",
       [](int fd) {
         Receive(fd, 200);
         Send(fd, {kIac, kDont, kComPortOption});
         Receive(fd, 300);
       },
       Problem::kSettingRefused, "the server does not take RFC 2217 line settings"},
      {"a refusal in words",
       [](int fd) {
         Send(fd, {'P', 'o', 'r', 't', ' ', 'i', 'n', ' ', 'u', 's', 'e', '\r', '\n'});
       },
       Problem::kInUse, "Port in use"},
  };
  for (const Case& c : cases) {
    ScriptedServer server(c.serve);
    OpenedLink opened(server.Url("rfc2217"));
    EXPECT_FALSE(opened.link.OpenDevice(1, 19200)) << c.what;
    EXPECT_EQ(opened.link.LastOpenFailure().problem, c.problem) << c.what;
    EXPECT_EQ(opened.link.LastOpenFailure().Reason(), c.reason) << c.what;
    EXPECT_EQ(opened.link.LastOpenFailure().path, server.Url("rfc2217")) << c.what;
  }
}

TEST(NetworkLink, ASilentServerFailsTheOpenAtTheConnectBound) {
  const auto bound = std::chrono::milliseconds(kConnectBoundMs);
  const auto late = Loaded(std::chrono::milliseconds(500));  // past the bound, on a loaded machine
  // Silent past the latest the open may end, so that only the bound ends it.
  ScriptedServer server(
      [&](int) { std::this_thread::sleep_for(bound + late + std::chrono::milliseconds(300)); });
  OpenedLink opened(server.Url("rfc2217"));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(opened.link.OpenDevice(1, 19200));
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(opened.link.LastOpenFailure().problem, OpenFailure::Problem::kNoAnswer);
  EXPECT_GE(took, bound);
  EXPECT_LT(took, bound + late);
}

// Words before the hang-up are a refusal; a controller's frames cut off by it
// (upper-case hexadecimal data, control bytes) are not.
TEST(NetworkLink, ARawServerThatHangsUpAfterWordsIsAPortInUseAfterFramesItIsNot) {
  using Problem = OpenFailure::Problem;
  struct Case {
    Bytes said;
    Problem problem;
    const char* reason;
  };
  const Case cases[] = {
      {{'P', 'o', 'r', 't', '\'', 's', ' ', 'b', 'u', 's', 'y', '\r', '\n'},
       Problem::kInUse,
       "Port's busy"},
      {{'0', '1', 'A', 'B', 'C', 'D', 'E', 'F', '0', '0'},
       Problem::kOther,
       "the server closed the connection"},
      {{0x02, 0xAA, 0x1E, 0x02, 0x1C, 'O'}, Problem::kOther, "the server closed the connection"},
  };
  for (const Case& c : cases) {
    ScriptedServer server([&c](int fd) { Send(fd, c.said); });
    OpenedLink opened(server.Url("socket"));
    ASSERT_TRUE(opened.link.OpenDevice(1, 19200));  // a raw server takes no settings to refuse
    std::uint8_t answer[20];
    int read = 0;
    EXPECT_FALSE(opened.link.Read(20, answer, read));  // fails when the server hangs up
    EXPECT_EQ(opened.link.LineFailure().problem, c.problem) << c.reason;
    EXPECT_EQ(opened.link.LineFailure().Reason(), c.reason);
  }
}

TEST(NetworkLink, AClosedPortIsRefusedAtOnce) {
  int port = 0;
  {
    ScriptedServer gone([](int) {});
    port = std::stoi(gone.Url("socket").substr(std::string("socket://127.0.0.1:").size()));
    OpenedLink first(gone.Url("socket"));
    (void)first.link.OpenDevice(1, 19200);  // lets the server's thread end
  }
  OpenedLink opened("socket://127.0.0.1:" + std::to_string(port));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(opened.link.OpenDevice(1, 19200));
  // At once: well before the bound a silent server is given.
  EXPECT_LT(std::chrono::steady_clock::now() - start, Loaded(std::chrono::milliseconds(500)));
  EXPECT_EQ(opened.link.LastOpenFailure().Reason(), "Connection refused");
}

}  // namespace
}  // namespace zm48d
