#pragma once
// The PC's own date and time, as "Grava S.O" copies them into the controller's
// clock. The window reads it through a replaceable function so that the clock
// can be fixed when the window is exercised.
#include <functional>
#include <string>

namespace zm48d {

struct LocalDateTime {
  int year = 2000;  // four digits
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int hour = 0;     // 0..23
  int minute = 0;
  int second = 0;
};

using PcClock = std::function<LocalDateTime()>;

// The PC's current local date and time.
LocalDateTime CurrentLocalTime();

// "DD/MM/YY": day and month with two digits, the year's last two digits.
std::string DateText(const LocalDateTime& when);
// "HH:MM:SS" on the 24-hour clock.
std::string TimeText(const LocalDateTime& when);

}  // namespace zm48d
