#include "app/pc_clock.h"

#include <cstdio>

#include <QDateTime>

namespace zm48d {

namespace {

std::string ThreePairs(int first, int second, int third, char separator) {
  char text[40];
  std::snprintf(text, sizeof text, "%02d%c%02d%c%02d", first, separator, second, separator, third);
  return text;
}

}  // namespace

LocalDateTime CurrentLocalTime() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

std::string DateText(const LocalDateTime& when) {
  return ThreePairs(when.day, when.month, ((when.year % 100) + 100) % 100, '/');
}

std::string TimeText(const LocalDateTime& when) {
  return ThreePairs(when.hour, when.minute, when.second, ':');
}

}  // namespace zm48d
