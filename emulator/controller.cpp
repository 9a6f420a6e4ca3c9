#include "emulator/controller.h"

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>

#include "protocol/bcd.h"
#include "protocol/big_endian.h"
#include "protocol/calendar.h"
#include "protocol/hex_text.h"

namespace zm48d::emu {

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kOk{'O', 'K'};

void AppendHexByte(Bytes& out, std::uint8_t value) {
  const std::string digits = HexByte(value);
  out.insert(out.end(), digits.begin(), digits.end());
}

std::uint16_t AddressOf(const Bytes& data) { return data.size() >= 3 ? GetWord(&data[1]) : 0; }

// Sixteen bytes from `space` at `address`, as 32 hexadecimal characters.
Bytes HexBlock(const Space& space, std::uint16_t address) {
  Bytes out;
  for (int i = 0; i < kReadBlockSize; ++i) AppendHexByte(out, space[(address + i) & 0xFFFF]);
  return out;
}

void Store(Space& space, std::uint16_t address, const std::uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i) space[(address + i) & 0xFFFF] = bytes[i];
}

int DigitPair(const Bytes& data, int at) { return data[at] * 10 + data[at + 1]; }

// The empty layout a new controller keeps its rules and stack in: no holidays,
// no groups, the whole 2048-byte area for 201 events.
void EmptyLayout(Space& eeprom) {
  using namespace stack_header;
  std::uint8_t* header = eeprom.data();
  PutWord(header + kHolidayTable, HolidayTableStart);
  PutWord(header + kGroupTable, HolidayTableStart);
  PutWord(header + kStackStart, HolidayTableStart);
  PutWord(header + kStackTop, HolidayTableStart);
  constexpr int capacity = (EepromAreaSize - HolidayTableStart) / EventRecordSize;
  PutWord(header + kStackLimit, HolidayTableStart + capacity * EventRecordSize);
}

}  // namespace

Controller::Controller() {
  // Head 80, relays 1000 ms, an empty tag list at TagListStart, readers 1 s.
  std::uint8_t* config = settings.data() + kConfigBlockAddress;
  config[config_block::kHeadAddress] = 0x80;
  std::fill_n(config + config_block::kRelayTimes, 4, 1000 / kRelayTimeUnitMs);
  PutWord(config + config_block::kTagListAddress, TagListStart);
  std::fill_n(config + config_block::kReaderTimeouts, 4, 1);
  EmptyLayout(eeprom);
}

bool Controller::Addressed(std::uint8_t head) const { return head == 0xAA || head == OwnHead(); }

std::vector<Bytes> Controller::Answer(const Request& request) {
  const Bytes& d = request.data;
  const std::uint8_t sub = d.empty() ? 0 : d[0];
  switch (request.command) {
    case 'H': ++beeps; return {kOk};
    case 'I': ++notifications; return {kOk};
    case 'C':
      if (d.size() >= 6) relayPulses.emplace_back(d[0], std::string(d.begin() + 1, d.begin() + 6));
      return {kOk};
    case 'E':
      if (sub == 'G' && d.size() >= 14) {
        clock = {DigitPair(d, 1), DigitPair(d, 3),  DigitPair(d, 5), d[7],
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
      if (sub == 'G' && d.size() >= 3 + kPageSize) {
        Store(settings, AddressOf(d), d.data() + 3, kPageSize);
        return {kOk};
      }
      return {};
    case 'B':
      if (sub == 'E') downloadMode = true;
      if (sub == 'S') LeaveDownloadMode();
      return {kOk};
    case 'J': {
      lastOnlineFlag.push_back(sub);
      constexpr int n = kOnlineEntries;
      std::array<std::uint8_t, 4 * n> planes{};
      for (int i = 0; i < n; ++i) {
        planes[i] = static_cast<std::uint8_t>(online[i].tag >> 16);
        planes[n + i] = static_cast<std::uint8_t>(online[i].tag >> 8);
        planes[2 * n + i] = static_cast<std::uint8_t>(online[i].tag);
        planes[3 * n + i] = online[i].value;
      }
      Bytes first, second;
      // Sixteen bytes an answer: the first two planes, then the last two.
      for (int i = 0; i < 2 * n; ++i) AppendHexByte(first, planes[i]);
      for (int i = 2 * n; i < 4 * n; ++i) AppendHexByte(second, planes[i]);
      return {first, second};
    }
    default: return {};
  }
}

ClockValue Controller::CurrentClock() const {
  using namespace std::chrono;
  const LocalTime set{clock.day, clock.month, clock.year, clock.hour, clock.minute, clock.second};
  if (!clockRunning || !IsRealDateTime(set)) return clock;  // a clock set to nonsense stands still
  const year_month_day date{year{2000 + clock.year}, month{static_cast<unsigned>(clock.month)},
                            day{static_cast<unsigned>(clock.day)}};
  const auto elapsed = duration_cast<seconds>(steady_clock::now() - clockSetAt);
  const auto then =
      sys_days{date} + hours{clock.hour} + minutes{clock.minute} + seconds{clock.second} + elapsed;
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

bool Controller::PushEvent(const std::array<std::uint8_t, EventRecordSize>& record) {
  if (!downloadMode) return PushEventRecord(eeprom, record);
  // Held only while the stack as it stands has room for it too.
  const int top = GetWord(&eeprom[stack_header::kStackTop]);
  const int limit = GetWord(&eeprom[stack_header::kStackLimit]);
  const auto room = static_cast<std::size_t>(std::max(0, (limit - top) / EventRecordSize));
  if (heldEvents.size() >= room) return false;
  heldEvents.push_back(record);
  return true;
}

void Controller::LeaveDownloadMode() {
  downloadMode = false;
  for (const auto& record : heldEvents) PushEventRecord(eeprom, record);
  heldEvents.clear();
}

ReadEffects Controller::Swipe(const TagRead& read) {
  const ReadEffects effects = ApplyTagRead(eeprom, settings, read);
  if (effects.evaluation.damage != LayoutDamage::kNone) return effects;
  online[read.door - 1] = {read.tag, effects.evaluation.record[event_record::kFlags]};
  return effects;
}

bool Controller::Save(const std::string& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(eeprom.data()), kAddressSpaceSize);
  out.write(reinterpret_cast<const char*>(settings.data()), kAddressSpaceSize);
  return static_cast<bool>(out);
}

bool Controller::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != 2u * kAddressSpaceSize) return false;
  std::copy_n(bytes.begin(), kAddressSpaceSize, eeprom.begin());
  std::copy_n(bytes.begin() + kAddressSpaceSize, kAddressSpaceSize, settings.begin());
  return true;
}

}  // namespace zm48d::emu
