#pragma once
// The PC's own date and time: what "Grava S.O" copies into the controller's
// clock, and the time stamps of the frame trace. Read once per use, so that a
// date and a time taken together cannot straddle midnight.
#include <chrono>
#include <functional>
#include <string>

namespace zm48d::ops {

struct LocalDateTime {
  int year = 2000;  // four digits
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int hour = 0;     // 0..23
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

using PcClock = std::function<LocalDateTime()>;

// `when` in the PC's local time zone.
LocalDateTime ToLocalTime(std::chrono::system_clock::time_point when);
// The PC's current local date and time.
LocalDateTime CurrentLocalTime();

// "DD/MM/YY": day and month with two digits, the year's last two digits.
std::string DateText(const LocalDateTime& when);
// "HH:MM:SS" on the 24-hour clock.
std::string TimeText(const LocalDateTime& when);

struct ClockSetting;
// The date and time edits as "Grava S.O" fills them from the PC's clock.
ClockSetting PcClockSetting(const LocalDateTime& when);

}  // namespace zm48d::ops
