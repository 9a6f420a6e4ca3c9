#include "emulator/controller.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace zm48d::emu {

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kOk{'O', 'K'};

void AppendHexByte(Bytes& out, std::uint8_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out.push_back(static_cast<std::uint8_t>(kDigits[value >> 4]));
  out.push_back(static_cast<std::uint8_t>(kDigits[value & 0x0F]));
}

std::uint8_t ToBcd(int value) {
  return static_cast<std::uint8_t>(((value / 10) % 10) << 4 | (value % 10));
}

std::uint16_t AddressOf(const Bytes& data) {
  return static_cast<std::uint16_t>(data.size() >= 3 ? (data[1] << 8) | data[2] : 0);
}

// Sixteen bytes from `space` at `address`, as 32 hexadecimal characters.
Bytes HexBlock(const std::array<std::uint8_t, kSpaceSize>& space, std::uint16_t address) {
  Bytes out;
  for (int i = 0; i < 16; ++i) AppendHexByte(out, space[(address + i) & 0xFFFF]);
  return out;
}

void Store(std::array<std::uint8_t, kSpaceSize>& space, std::uint16_t address,
           const std::uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i) space[(address + i) & 0xFFFF] = bytes[i];
}

int DigitPair(const Bytes& data, int at) {
  return data[at] * 10 + data[at + 1];
}

// The empty layout a controller leaves its rules and stack in after a reset: no
// holidays, no groups, the whole 2048-byte area for 201 events.
void ResetLayout(std::array<std::uint8_t, kSpaceSize>& eeprom) {
  const std::uint8_t header[14] = {0x00, 0x00, 0x20, 0x00, 0x00, 0x20, 0x00,
                                   0x00, 0x00, 0x20, 0x00, 0x20, 0x07, 0xFA};
  Store(eeprom, 0, header, 14);
}

}  // namespace

Controller::Controller() {
  const std::uint8_t config[20] = {0, 0, 0, 0, 0, 0x80, 4, 4, 4, 4,
                                   0xB0, 0x00, 0x00, 0x00, 0, 0, 1, 1, 1, 1};
  Store(settings, kConfigBlockAddress, config, 20);
  ResetLayout(eeprom);
}

bool Controller::Addressed(std::uint8_t head) const { return head == 0xAA || head == OwnHead(); }

std::vector<Bytes> Controller::Answer(const Request& request) {
  const Bytes& d = request.data;
  const std::uint8_t sub = d.empty() ? 0 : d[0];
  switch (request.command) {
    case 'H':
      ++beeps;
      return {kOk};
    case 'I':
      ++notifications;
      return {kOk};
    case 'C':
      if (d.size() >= 6) relayPulses.emplace_back(d[0], std::string(d.begin() + 1, d.begin() + 6));
      return {kOk};
    case 'E':
      if (sub == 'G' && d.size() >= 14) {
        clock = {DigitPair(d, 1), DigitPair(d, 3), DigitPair(d, 5), d[7],
                 DigitPair(d, 8), DigitPair(d, 10), DigitPair(d, 12)};
        clockSetAt = std::chrono::steady_clock::now();
        return {kOk};
      }
      if (sub == 'L') {
        const ClockValue now = CurrentClock();
        Bytes out;
        for (int v : {now.hour, now.minute, now.second, now.day, now.month, now.year}) {
          AppendHexByte(out, ToBcd(v));
        }
        AppendHexByte(out, static_cast<std::uint8_t>(now.weekday));
        return {out};
      }
      return {};
    case 'D':
      if (sub == 'L' && d.size() >= 4) return {HexBlock(eeprom, AddressOf(d))};
      if (sub == 'G' && d.size() >= 4 && d.size() >= 4u + d[3]) {
        Store(eeprom, AddressOf(d), d.data() + 4, d[3]);
        return {kOk};
      }
      return {};
    case 'G':
      if (sub == 'L' && d.size() >= 3) return {HexBlock(settings, AddressOf(d))};
      if (sub == 'G' && d.size() >= 3 + 128) {
        Store(settings, AddressOf(d), d.data() + 3, 128);
        return {kOk};
      }
      return {};
    case 'B':
      if (sub == 'E') downloadMode = true;
      if (sub == 'S') downloadMode = false;
      return {kOk};
    case 'J': {
      lastOnlineFlag.push_back(sub);
      std::array<std::uint8_t, 32> planes{};
      for (int i = 0; i < 8; ++i) {
        planes[i] = static_cast<std::uint8_t>(online[i].tag >> 16);
        planes[8 + i] = static_cast<std::uint8_t>(online[i].tag >> 8);
        planes[16 + i] = static_cast<std::uint8_t>(online[i].tag);
        planes[24 + i] = online[i].value;
      }
      Bytes first, second;
      for (int i = 0; i < 16; ++i) AppendHexByte(first, planes[i]);
      for (int i = 16; i < 32; ++i) AppendHexByte(second, planes[i]);
      return {first, second};
    }
    default:
      return {};
  }
}

ClockValue Controller::CurrentClock() const {
  using namespace std::chrono;
  const year_month_day date{year{2000 + clock.year}, month{static_cast<unsigned>(clock.month)},
                            day{static_cast<unsigned>(clock.day)}};
  const bool validTime = clock.hour < 24 && clock.minute < 60 && clock.second < 60;
  if (!clockRunning || !date.ok() || !validTime) return clock;  // a clock set to nonsense stands still
  const auto elapsed = duration_cast<seconds>(steady_clock::now() - clockSetAt);
  const auto then = sys_days{date} + hours{clock.hour} + minutes{clock.minute} +
                    seconds{clock.second} + elapsed;
  const auto today = floor<days>(then);
  const year_month_day ymd{today};
  const hh_mm_ss hms{then - today};
  const long dayCount = duration_cast<days>(today - sys_days{date}).count();
  return {static_cast<int>(static_cast<unsigned>(ymd.day())),
          static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(ymd.year()) % 100,
          static_cast<int>((clock.weekday + dayCount) % 7),
          static_cast<int>(hms.hours().count()),
          static_cast<int>(hms.minutes().count()),
          static_cast<int>(hms.seconds().count())};
}

bool Controller::PushEvent(const std::array<std::uint8_t, 10>& record) {
  const int top = eeprom[10] << 8 | eeprom[11];
  const int limit = eeprom[12] << 8 | eeprom[13];
  if (top + 10 > limit) return false;
  Store(eeprom, static_cast<std::uint16_t>(top), record.data(), 10);
  const int newTop = top + 10;
  eeprom[10] = static_cast<std::uint8_t>(newTop >> 8);
  eeprom[11] = static_cast<std::uint8_t>(newTop);
  return true;
}

bool Controller::Save(const std::string& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(eeprom.data()), kSpaceSize);
  out.write(reinterpret_cast<const char*>(settings.data()), kSpaceSize);
  return static_cast<bool>(out);
}

bool Controller::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != 2u * kSpaceSize) return false;
  std::copy_n(bytes.begin(), kSpaceSize, eeprom.begin());
  std::copy_n(bytes.begin() + kSpaceSize, kSpaceSize, settings.begin());
  return true;
}

}  // namespace zm48d::emu
