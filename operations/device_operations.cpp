#include "operations/device_operations.h"

#include <cstddef>

#include "operations/operator_texts.h"
#include "protocol/calendar.h"
#include "protocol/commands.h"
#include "protocol/config_block.h"

namespace zm48d::ops {

namespace {

// A done-or-failed write: its text for each outcome.
bool Report(const Session& session, bool ok, std::string_view done, std::string_view failed) {
  if (ok) {
    if (!done.empty()) session.Note(done);
  } else {
    session.Fail(failed);
  }
  return ok;
}

}  // namespace

bool SoundBeep(const Session& session) {
  const PortCycle port(session, text::kOpenPortFailed);
  if (!port) return false;
  LinkStatus status = link_status::kOk;
  return Report(session, Beep(session.link, status), {}, text::kError);
}

bool TriggerRelay(const Session& session, int relay, std::string_view failure) {
  const PortCycle port(session, text::kOpenPortFailed);
  if (!port) return false;
  LinkStatus status = link_status::kOk;
  const bool ok =
      PulseRelay(session.link, static_cast<std::uint8_t>(relay), kRelayPulseTime, status);
  return Report(session, ok, {}, failure);
}

bool SendMemoryNotice(const Session& session, std::string_view openFailure,
                      std::string_view failure) {
  const PortCycle port(session, openFailure);
  if (!port) return false;
  LinkStatus status = link_status::kOk;
  return Report(session, NotifyMemoryUpdated(session.link, status), {}, failure);
}

bool ReadRelayTimesInto(const Session& session, const Deliver<std::array<int, 4>>& deliver) {
  const PortCycle port(session, text::kOpenSerialFailed);
  if (!port) return false;
  LinkStatus status = link_status::kOk;
  std::array<int, 4> milliseconds{};
  if (!ReadRelayTimes(session.link, milliseconds, status)) {
    session.Fail(text::kRelayTimesReadFailed);
    return false;
  }
  deliver(milliseconds);
  return true;
}

bool WriteRelayTimesFrom(const Session& session, const Values<RelayTimes>& values) {
  const PortCycle port(session, text::kOpenSerialFailed);
  if (!port) return false;
  // The controller keeps units of 250 ms; the division is the protocol's.
  const RelayTimes milliseconds = values();
  LinkStatus status = link_status::kOk;
  return Report(session, WriteRelayTimes(session.link, milliseconds, status), text::kWriteDone,
                text::kRelayTimesWriteFailed);
}

bool ReadReaderTimeoutsInto(const Session& session, const std::function<void()>& checkEdits,
                            const Deliver<std::array<std::uint8_t, 4>>& deliver) {
  const PortCycle port(session, text::kOpenPortFailed);
  if (!port) return false;
  if (checkEdits) checkEdits();
  LinkStatus status = link_status::kOk;
  std::array<std::uint8_t, 4> seconds{};
  if (!ReadReaderTimeouts(session.link, seconds, status)) {
    session.Fail(text::kReadersReadFailed);
    return false;
  }
  deliver(seconds);  // as the controller keeps them, also above 63
  return true;
}

bool WriteReaderTimeoutsFrom(const Session& session, const Values<ReaderTimeouts>& values) {
  const PortCycle port(session, text::kOpenPortFailed);
  if (!port) return false;
  std::array<std::uint8_t, 4> seconds{};
  const ReaderTimeouts typed = values();
  for (std::size_t i = 0; i < typed.size(); ++i) {
    seconds[i] = StoredReaderTimeout(typed[i]);
  }
  LinkStatus status = link_status::kOk;
  return Report(session, WriteReaderTimeouts(session.link, seconds, status),
                text::kReadersWriteDone, text::kReadersWriteFailed);
}

bool ReadHeadAddressInto(const Session& session, const Deliver<std::uint8_t>& deliver) {
  const PortCycle port(session, text::kOpenSerialFailed);
  if (!port) return false;
  LinkStatus status = link_status::kOk;
  std::uint8_t head = 0;
  if (!ReadHeadAddress(session.link, head, status)) {
    session.Fail(text::kHeadReadFailed);
    return false;
  }
  deliver(head);
  session.Aside(text::kHeadReadDone);
  return true;
}

bool ChangeHeadAddress(const Session& session, std::uint8_t head) {
  const PortCycle port(session, text::kOpenSerialFailed);
  if (!port) return false;
  LinkStatus status = link_status::kOk;
  return Report(session, WriteHeadAddress(session.link, head, status), text::kWriteDone,
                text::kHeadWriteFailed);
}

bool ReadClockInto(const Session& session, const Deliver<ClockReading>& deliver) {
  const PortCycle port(session, text::kOpenClockFailed);
  if (!port) return false;
  LinkStatus status = link_status::kOk;
  ClockReading reading;
  if (!ReadClock(session.link, reading.time, reading.date, reading.weekday, status)) {
    session.Fail(text::kClockReadFailed);
    return false;
  }
  deliver(reading);
  session.Aside(std::string(text::kWeekdayCaption) + reading.weekday);
  return true;
}

bool IsCalendarTime(const ClockSetting& setting) {
  return ParseLocalTime(setting.date + " " + setting.time).has_value();
}

bool SetClockFrom(const Session& session, const Values<ClockSetting>& setting,
                  std::string_view failure) {
  const PortCycle port(session, text::kOpenClockFailed);
  if (!port) return false;
  const ClockSetting values = setting();
  LinkStatus status = link_status::kOk;
  return Report(session, SetClock(session.link, values.time, values.date, status), text::kClockSet,
                failure);
}

}  // namespace zm48d::ops
