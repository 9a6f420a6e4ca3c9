// The full send (49 holidays, 65 groups, 999 tags) and the backup of that
// configuration against the paced emulator, over each way a site reaches the
// controller: the serial device itself, a ser2net's rfc2217 and raw ports in
// front of it, and its rfc2217 port across a network that holds every chunk
// 10 ms each way. Next to the wire time of a 19200-baud line: the ratio to it,
// to the direct run, and, across the network, to the wire time plus one round
// trip (20 ms) for every transaction.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "bench/delay_relay.h"
#include "bench/wire_timing.h"
#include "link/port_link.h"
#include "operations/controller_backup.h"
#include "operations/send_sequence.h"
#include "tests/support/emulated_line.h"
#include "tests/support/sample_files.h"
#include "tests/support/ser2net_server.h"
#include "tests/support/temp_dir.h"

namespace zm48d {
namespace {

enum class Route { kDirect, kRfc2217, kSocket, kRfc2217Delayed };

constexpr int kRelayDelayMs = 10;
constexpr double kRoundTripS = 2 * kRelayDelayMs / 1000.0;

struct Collect final : ops::Notices {
  std::string texts;
  void Show(ops::Tone, std::string_view text) override { texts += std::string(text) + " "; }
};

// The paced emulator and "COM 1" reaching it by `route`.
struct RoutedLine {
  explicit RoutedLine(Route route) {
    if (route == Route::kDirect) {
      name = emulator.TerminalPath();
      return;
    }
    server.emplace(emulator.TerminalPath());
    if (route == Route::kSocket) {
      name = server->SocketUrl();
    } else if (route == Route::kRfc2217) {
      name = server->Rfc2217Url();
    } else {
      relay =
          std::make_unique<bench::DelayRelay>("127.0.0.1", server->Rfc2217Port(), kRelayDelayMs);
      name = relay->Url("rfc2217");
    }
  }
  // Empty when the route is ready; else why not.
  std::string Failure() const { return server ? server->Failure() : ""; }

  emu::PtyEmulator emulator{testing::PacedEmulator()};
  std::optional<testing::Ser2netServer> server;
  std::unique_ptr<bench::DelayRelay> relay;
  std::string name;  // what "COM 1" stands for
  PortLink device{[this](int) { return name; }};
  LinkState link{device};
};

using Operation = std::function<bool(const ops::Session&, const testing::TempDir&)>;

bool SendAll(const ops::Session& session, const testing::TempDir& dir) {
  const ops::SendResult result = ops::RunSendSequence(
      session, {dir.Path("feriados.txt"), dir.Path("grupos.txt"), dir.Path("lista.txt")});
  return result.rules == ops::StageOutcome::kSent && result.tags == ops::StageOutcome::kSent &&
         result.notified;
}

bool Backup(const ops::Session& session, const testing::TempDir& dir) {
  return ops::BackupController(
      session,
      {dir.Path("copia-feriados.txt"), dir.Path("copia-grupos.txt"), dir.Path("copia-lista.txt")});
}

// The direct run's seconds of each operation, for the other routes' ratio.
std::map<std::string, double>& DirectSeconds() {
  static std::map<std::string, double> seconds;
  return seconds;
}

// Times `operation` over `route`; with `loaded`, the configuration is sent
// first, untimed, so that there is something to read back.
void RunRouted(benchmark::State& state, const std::string& what, Route route,
               const Operation& operation, bool loaded) {
  RoutedLine line(route);
  if (!line.Failure().empty()) {
    state.SkipWithError(line.Failure().c_str());
    return;
  }
  testing::TempDir dir;
  testing::WriteLargestConfiguration(dir);
  Collect collect;
  const ops::Session session{line.link, testing::kEmulatorPort, collect};
  if (loaded && !SendAll(session, dir)) {
    state.SkipWithError(("send failed: " + collect.texts).c_str());
    return;
  }

  WireTiming timing(line.link);
  // Every request frame is one transaction: one round trip across a network.
  long long requests = 0;
  line.link.observer = [&requests, counted = line.link.observer](
                           FrameDirection direction, std::span<const std::uint8_t> bytes) {
    if (direction == FrameDirection::kSent) ++requests;
    counted(direction, bytes);
  };
  double measured = 0;
  for (auto _ : state) {
    collect.texts.clear();
    const auto start = std::chrono::steady_clock::now();
    timing.Start();
    if (!operation(session, dir)) {
      state.SkipWithError((what + " failed: " + collect.texts).c_str());
      return;
    }
    timing.Stop(state);
    measured += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double runs = static_cast<double>(state.iterations());
  const double transactions = static_cast<double>(requests) / runs;
  state.counters["transactions"] = transactions;
  if (route == Route::kRfc2217Delayed) {
    // ratio: over the wire time plus one round trip a transaction.
    timing.Report(state, transactions * kRoundTripS);
  } else {
    timing.Report(state);
  }
  if (route == Route::kDirect) {
    DirectSeconds()[what] = measured / runs;
  } else if (DirectSeconds().contains(what)) {
    state.counters["vs_direct"] = measured / runs / DirectSeconds()[what];
  }
}

void BM_NetworkFullSend(benchmark::State& state) {
  RunRouted(state, "send", static_cast<Route>(state.range(0)), SendAll, false);
}

void BM_NetworkBackup(benchmark::State& state) {
  RunRouted(state, "backup", static_cast<Route>(state.range(0)), Backup, true);
}

// Once over each route: 0 direct, 1 rfc2217, 2 socket, 3 rfc2217 across 10 ms
// each way.
void OverEachRoute(benchmark::internal::Benchmark* bench) {
  bench->ArgName("route")
      ->DenseRange(0, 3)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1);
}

BENCHMARK(BM_NetworkFullSend)->Apply(OverEachRoute);
BENCHMARK(BM_NetworkBackup)->Apply(OverEachRoute);

}  // namespace
}  // namespace zm48d
