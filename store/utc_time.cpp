#include "store/utc_time.h"

#include <cstdio>

namespace zm48d::store {

std::string UtcText(std::chrono::system_clock::time_point moment) {
  using namespace std::chrono;
  const auto seconds = floor<std::chrono::seconds>(moment);
  const auto day = floor<days>(seconds);
  const year_month_day date(day);
  const hh_mm_ss time(seconds - day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

}  // namespace zm48d::store
