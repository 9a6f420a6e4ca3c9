#include "emulator/pty_emulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <thread>
#include <utility>

#include "emulator/frame_reader.h"

namespace zm48d::emu {

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;
// One byte on a 19200-baud 8N1 line: ten bits.
constexpr auto kByteTime = std::chrono::nanoseconds(10'000'000'000LL / 19200);
// The controller sends the second frame of a two-frame answer after a pause, by
// which time the terminal has taken the first one and purged its input.
constexpr auto kSecondFrameGap = std::chrono::milliseconds(10);
// The longest pause between two bytes of one request.
constexpr int kRequestGapMs = 100;

void MakeRaw(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return;
  cfmakeraw(&tio);
  tcsetattr(fd, TCSANOW, &tio);
}

void WriteAll(int fd, const std::uint8_t* bytes, size_t count) {
  while (count > 0) {
    ssize_t n = ::write(fd, bytes, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes += n;
    count -= static_cast<size_t>(n);
  }
}

// The faults that change what an answer says, not how its frame is built.
void SpoilData(Fault fault, Bytes& data) {
  const bool acknowledgement = data == Bytes{'O', 'K'};
  if (fault == Fault::kNotOk && acknowledgement) data = {'N', 'O'};
  if (fault == Fault::kShortData && !acknowledgement) {
    data.resize(data.size() - std::min<size_t>(2, data.size()));
  }
  if (fault == Fault::kLowerCase) {
    for (auto& c : data) {
      if (c >= 'A' && c <= 'F') c = static_cast<std::uint8_t>(c - 'A' + 'a');
    }
  }
}

// Applies a fault to the answer frames of one request.
std::vector<Bytes> Spoil(Fault fault, std::uint8_t head, std::vector<Bytes> answers) {
  std::vector<Bytes> frames;
  for (auto& data : answers) {
    SpoilData(fault, data);
    frames.push_back(EncodeResponse(fault == Fault::kWrongHead ? head ^ 0x01 : head, data));
  }
  if (frames.empty()) return frames;
  Bytes& first = frames.front();
  switch (fault) {
    case Fault::kNoAnswer: return {};
    case Fault::kBadStart: first[0] = 0x05; break;
    case Fault::kBadChecksum: first[first.size() - 2] ^= 0x01; break;
    case Fault::kTruncated:
    case Fault::kHangUp:
      first.resize(5 + (first.size() - 5) / 2);
      frames.resize(1);
      break;
    case Fault::kShortHeader:
      first.resize(2);
      frames.resize(1);
      break;
    case Fault::kOverLong: {
      Bytes data(250, '0');
      first = EncodeResponse(head, data);
      frames.resize(1);
      break;
    }
    case Fault::kDropSecond: frames.resize(1); break;
    default: break;
  }
  return frames;
}

}  // namespace

struct PtyEmulator::Impl {
  EmulatorOptions options;
  int master = -1;
  int slave = -1;  // held open so the line stays raw and never hangs up between opens
  int wake[2] = {-1, -1};
  std::string terminalPath;
  FrameReader reader;
  FaultPlan plan;
  int counted = 0;
  std::vector<Request> requests;
  std::thread thread;

  // Hangs up every open of the terminal side, as a controller losing power does,
  // and takes the line up again raw, so that the terminal's next open works.
  void HangUp() {
    std::this_thread::sleep_for(kSecondFrameGap);  // let the terminal take the half frame
    if (slave < 0 || ::ioctl(slave, TIOCVHANGUP) != 0) return;
    ::close(slave);
    slave = ::open(terminalPath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave >= 0) MakeRaw(slave);  // the hang-up put the line back in cooked mode
    MakeRaw(master);
    reader = FrameReader{};
  }

  bool FaultApplies(const Request& request) {
    if (plan.fault == Fault::kNone) return false;
    if (plan.command != 0 && request.command != plan.command) return false;
    const int index = counted++;
    return index >= plan.skip && (plan.count < 0 || index < plan.skip + plan.count);
  }

  void Send(const std::vector<Bytes>& frames, size_t requestSize) {
    if (!options.pace) {
      for (size_t i = 0; i < frames.size(); ++i) {
        if (i > 0) std::this_thread::sleep_for(kSecondFrameGap);
        WriteAll(master, frames[i].data(), frames[i].size());
      }
      return;
    }
    // The request took its time on the wire before the controller could answer.
    auto due = Clock::now() + kByteTime * static_cast<long>(requestSize);
    std::this_thread::sleep_until(due);
    for (size_t i = 0; i < frames.size(); ++i) {
      if (i > 0) {  // the pause comes before the next frame's start byte
        // Counted from when the last byte went out: a thread that fell behind
        // its schedule would otherwise send the next frame with no pause at all.
        due = std::max(due, Clock::now()) + kSecondFrameGap;
        std::this_thread::sleep_until(due);
      }
      for (std::uint8_t b : frames[i]) {
        WriteAll(master, &b, 1);
        due += kByteTime;
        std::this_thread::sleep_until(due);
      }
    }
  }
};

PtyEmulator::PtyEmulator(EmulatorOptions options) : impl_(std::make_unique<Impl>()) {
  impl_->options = std::move(options);
  int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
    throw std::runtime_error("cannot open a pseudo-terminal");
  }
  impl_->master = master;
  impl_->terminalPath = ptsname(master);
  // A fresh pty is in cooked mode, where 0x03 interrupts and input is edited:
  // make the line raw before any terminal opens it.
  impl_->slave = ::open(impl_->terminalPath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (impl_->slave >= 0) MakeRaw(impl_->slave);
  MakeRaw(master);
  if (pipe2(impl_->wake, O_CLOEXEC) != 0) throw std::runtime_error("cannot create a pipe");
  if (!impl_->options.linkPath.empty()) {
    ::unlink(impl_->options.linkPath.c_str());
    if (::symlink(impl_->terminalPath.c_str(), impl_->options.linkPath.c_str()) != 0) {
      throw std::runtime_error("cannot create the link " + impl_->options.linkPath);
    }
  }
  impl_->thread = std::thread([this] { Serve(); });
}

PtyEmulator::~PtyEmulator() {
  const char stop = 'q';
  (void)::write(impl_->wake[1], &stop, 1);
  if (impl_->thread.joinable()) impl_->thread.join();
  if (!impl_->options.linkPath.empty()) ::unlink(impl_->options.linkPath.c_str());
  for (int fd : {impl_->master, impl_->slave, impl_->wake[0], impl_->wake[1]}) {
    if (fd >= 0) ::close(fd);
  }
}

const std::string& PtyEmulator::TerminalPath() const { return impl_->terminalPath; }

void PtyEmulator::SetFault(FaultPlan plan) {
  std::lock_guard lock(mutex_);
  impl_->plan = plan;
  impl_->counted = 0;
}

std::vector<Request> PtyEmulator::Requests() {
  std::lock_guard lock(mutex_);
  return impl_->requests;
}

void PtyEmulator::ClearRequests() {
  std::lock_guard lock(mutex_);
  impl_->requests.clear();
}

void PtyEmulator::Serve() {
  Impl& s = *impl_;
  std::uint8_t buffer[512];
  for (;;) {
    pollfd fds[2] = {{s.master, POLLIN, 0}, {s.wake[0], POLLIN, 0}};
    // A request that stops coming part-way is dropped after a pause, as the
    // controller does, so its bytes cannot hold up the answer to the next one.
    const int ready = ::poll(fds, 2, s.reader.Empty() ? -1 : kRequestGapMs);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (ready == 0) {
      s.reader.Clear();
      continue;
    }
    if (fds[1].revents) return;
    if (fds[0].revents & POLLHUP) {
      // No terminal side open: wait for the next open instead of spinning.
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      continue;
    }
    ssize_t n = ::read(s.master, buffer, sizeof buffer);
    if (n <= 0) continue;
    s.reader.Feed(buffer, static_cast<int>(n));
    while (auto request = s.reader.Next()) {
      std::vector<Bytes> frames;
      bool hangUp = false;
      {
        std::lock_guard lock(mutex_);
        s.requests.push_back(*request);
        if (!controller_.Addressed(request->head)) continue;
        const bool faulty = s.FaultApplies(*request);
        hangUp = faulty && s.plan.fault == Fault::kHangUp;
        auto answers = controller_.Answer(*request);
        frames = Spoil(faulty ? s.plan.fault : Fault::kNone, request->head, std::move(answers));
        if (s.options.afterAnswer) s.options.afterAnswer(controller_, *request);
      }
      s.Send(frames, request->frame.size());
      if (hangUp) {
        s.HangUp();
        break;  // whatever else was received went down with the line
      }
    }
  }
}

}  // namespace zm48d::emu
