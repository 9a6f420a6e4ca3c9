#include "protocol/commands.h"

#include <array>
#include <cstdio>

#include "files/runtime_errors.h"
#include "protocol/calendar.h"
#include "protocol/frames.h"
#include "protocol/hex_text.h"

namespace zm48d {

namespace {

// Positions of the six digits in "DD/MM/YY" and "HH:MM:SS" (0-based).
constexpr std::array<int, 6> kDigitPositions = {0, 1, 3, 4, 6, 7};

// One character converted on its own as a whole number, as the controller's
// clock request carries each digit as its value 0..9.
std::uint8_t DigitAt(std::string_view text, int position) {
  const std::string_view digit =
      position < static_cast<int>(text.size()) ? text.substr(position, 1) : std::string_view{};
  return static_cast<std::uint8_t>(StrToInt(digit));
}

// "%.5D": at least five digits, zero-filled, a minus sign before negative values.
std::string FiveDigits(std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.5lld", static_cast<long long>(value));
  return text;
}

}  // namespace

int WeekdayOfDate(std::string_view date) {
  const auto day = ParseLocalDate(date);
  // Sunday is 0 here, the sixth day counted from Monday.
  return day ? (WeekdayFromMonday(*day) + 1) % 7 : 0;
}

std::string WeekdayName(int weekday) {
  static const std::array<const char*, 7> kNames = {"Domingo", "Segunda", "Terça", "Quarta",
                                                    "Quinta",  "Sexta",   "Sábado"};
  return weekday >= 0 && weekday < 7 ? kNames[static_cast<size_t>(weekday)] : "Erro";
}

bool SetClock(LinkState& link, std::string_view time, std::string_view date, LinkStatus& status) {
  const int weekday = WeekdayOfDate(date);
  status = link_status::kOk;
  std::array<std::uint8_t, 14> data{};
  data[0] = 'G';
  for (int i = 0; i < 6; ++i) data[1 + i] = DigitAt(date, kDigitPositions[i]);
  data[7] = static_cast<std::uint8_t>(weekday);
  for (int i = 0; i < 6; ++i) data[8 + i] = DigitAt(time, kDigitPositions[i]);
  SetRequest(link, 'E', data);
  return Transact(link, status);
}

bool ReadClock(LinkState& link, std::string& time, std::string& date, std::string& weekday,
               LinkStatus& status) {
  status = link_status::kOk;
  const std::uint8_t sub[] = {'L'};
  SetRequest(link, 'E', sub);
  if (!Transact(link, status)) return false;
  // Hour, minute, second, day, month, year, weekday: two hexadecimal characters each.
  std::array<std::uint8_t, 7> value{};
  DecodeHexPairs(link.ResponseDataBytes(), static_cast<int>(value.size()), value.data());
  time = HexByte(value[0]) + ":" + HexByte(value[1]) + ":" + HexByte(value[2]);
  date = HexByte(value[3]) + "/" + HexByte(value[4]) + "/" + HexByte(value[5]);
  weekday = WeekdayName(value[6]);
  return true;
}

bool PulseRelay(LinkState& link, std::uint8_t relay, std::int32_t time, LinkStatus& status) {
  const std::string digits = FiveDigits(time);
  std::array<std::uint8_t, 6> data{};
  data[0] = static_cast<std::uint8_t>(relay - 1);
  for (int i = 0; i < 5; ++i) data[1 + i] = static_cast<std::uint8_t>(digits[i]);
  SetRequest(link, 'C', data);
  return Transact(link, status);
}

bool NotifyMemoryUpdated(LinkState& link, LinkStatus& status) {
  SetRequest(link, 'I', {});
  return Transact(link, status);
}

bool Beep(LinkState& link, LinkStatus& status) {
  status = link_status::kOk;
  SetRequest(link, 'H', {});
  return Transact(link, status);
}

}  // namespace zm48d
