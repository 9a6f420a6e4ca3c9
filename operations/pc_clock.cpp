#include "operations/pc_clock.h"

#include <cstdio>
#include <ctime>

#include "operations/device_operations.h"

namespace zm48d::ops {

namespace {

std::string ThreePairs(int first, int second, int third, char separator) {
  char text[40];
  std::snprintf(text, sizeof text, "%02d%c%02d%c%02d", first, separator, second, separator, third);
  return text;
}

// The calendar fields of `seconds` in the local time zone, with the platform's
// thread-safe call.
std::tm LocalCalendar(std::time_t seconds) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  return local;
}

}  // namespace

LocalDateTime ToLocalTime(std::chrono::system_clock::time_point when) {
  using namespace std::chrono;
  const auto since = when.time_since_epoch();
  const auto whole = floor<seconds>(since);
  const std::tm local = LocalCalendar(static_cast<std::time_t>(whole.count()));
  return {local.tm_year + 1900,
          local.tm_mon + 1,
          local.tm_mday,
          local.tm_hour,
          local.tm_min,
          local.tm_sec,
          static_cast<int>(duration_cast<milliseconds>(since - whole).count())};
}

LocalDateTime CurrentLocalTime() { return ToLocalTime(std::chrono::system_clock::now()); }

std::string DateText(const LocalDateTime& when) {
  return ThreePairs(when.day, when.month, ((when.year % 100) + 100) % 100, '/');
}

std::string TimeText(const LocalDateTime& when) {
  return ThreePairs(when.hour, when.minute, when.second, ':');
}

ClockSetting PcClockSetting(const LocalDateTime& when) { return {DateText(when), TimeText(when)}; }

}  // namespace zm48d::ops
