#include "tests/support/ser2net_server.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/tcp_peers.h"

namespace zm48d::testing {

namespace {

constexpr auto kStartBound = std::chrono::seconds(5);
constexpr int kStartTries = 3;

// The connection's accepter, connector and options. No character delay: by
// default ser2net holds the device's bytes for two characters' time before
// passing them on, and with Nagle on the socket that costs ~3 ms a transaction
// (~0.3 ms without both). kickolduser stays off: a second client is turned away.
std::string Connection(const std::string& name, const std::string& accepter,
                       const std::string& device) {
  return "connection: &" + name + "\n  accepter: " + accepter + "\n  connector: serialdev," +
         device + ",19200n81,local\n" +
         "  options:\n    chardelay: false\n    kickolduser: false\n    mdns: false\n";
}

// True when /proc/net/tcp shows 127.0.0.1:`port` listening. Asked this way, not
// by connecting, since a connection would open the device and hold it a while.
bool Listening(std::uint16_t port) {
  char local[32];
  std::snprintf(local, sizeof local, "0100007F:%04X", port);
  std::ifstream table("/proc/net/tcp");
  std::string line;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string slot, address, remote, state;
    if (fields >> slot >> address >> remote >> state && address == local && state == "0A") {
      return true;
    }
  }
  return false;
}

// The UUCP lock file of `device`: /var/lock/LCK.. and the path after /dev/ with
// its slashes made underscores (LCK..pts_5).
std::string LockFile(std::string device) {
  if (device.rfind("/dev/", 0) == 0) device.erase(0, 5);
  for (char& c : device) {
    if (c == '/') c = '_';
  }
  return "/var/lock/LCK.." + device;
}

}  // namespace

Ser2netServer::Ser2netServer(std::string device) : device_(std::move(device)) {
  for (int tries = 0; tries < kStartTries; ++tries) {
    // Fresh ports on each try: one may have been taken since it was picked.
    rfc2217Port_ = FreeLoopbackPort();
    socketPort_ = FreeLoopbackPort();
    if (Launch()) return;
  }
}

Ser2netServer::~Ser2netServer() { Stop(); }

bool Ser2netServer::Start() {
  for (int tries = 0; tries < kStartTries; ++tries) {
    if (Launch()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  return false;
}

void Ser2netServer::Stop() { EndWith(SIGTERM); }

void Ser2netServer::Kill() {
  EndWith(SIGKILL);
  std::error_code ignored;
  std::filesystem::remove(LockFile(device_), ignored);
}

bool Ser2netServer::Launch() {
  EndWith(SIGKILL);
  failure_.clear();
  WriteConfig();
  const std::string config = folder_.Path("ser2net.yaml");
  const std::string pidFile = folder_.Path("ser2net.pid");
  const std::string log = folder_.Path("ser2net.log");
  // -d: in the foreground, its log on standard output.
  std::vector<std::string> words{"ser2net", "-d", "-c", config, "-P", pidFile};
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  const int error = posix_spawnp(&pid_, "ser2net", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    pid_ = -1;
    failure_ = "ser2net does not start (is the ser2net package installed?): " +
               std::string(std::strerror(error));
    return false;
  }
  return WaitUntilListening();
}

void Ser2netServer::WriteConfig() const {
  const std::string rfc2217 =
      "telnet(rfc2217),tcp(nodelay),127.0.0.1," + std::to_string(rfc2217Port_);
  const std::string raw = "tcp(nodelay),127.0.0.1," + std::to_string(socketPort_);
  std::ofstream(folder_.Path("ser2net.yaml"))
      << "%YAML 1.1\n---\n"
      << Connection("rfc2217", rfc2217, device_) << Connection("raw", raw, device_);
}

bool Ser2netServer::WaitUntilListening() {
  const auto end = std::chrono::steady_clock::now() + kStartBound;
  while (!Listening(rfc2217Port_) || !Listening(socketPort_)) {
    int status = 0;
    const bool ended = waitpid(pid_, &status, WNOHANG) == pid_;
    if (ended || std::chrono::steady_clock::now() > end) {
      if (ended) pid_ = -1;
      std::ifstream text(folder_.Path("ser2net.log"));
      failure_ = std::string(ended ? "ser2net ended" : "ser2net is not listening after 5 s") +
                 " on ports " + std::to_string(rfc2217Port_) + " and " +
                 std::to_string(socketPort_) + ": " +
                 std::string(std::istreambuf_iterator<char>(text), {});
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

void Ser2netServer::EndWith(int signal) {
  if (pid_ < 0) return;
  ::kill(pid_, signal);
  int status = 0;
  const auto end = std::chrono::steady_clock::now() + kStartBound;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > end) {
      ::kill(pid_, SIGKILL);  // it did not end in order
      waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  pid_ = -1;
}

}  // namespace zm48d::testing
