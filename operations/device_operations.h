#pragma once
// The "Funções básicas" page and "Beep": one port cycle around one or two
// protocol operations each, with the page's texts. Values an operator types are
// taken through a callable once the port is open, as the page converts its edits
// only then: a text that is no number ends the operation with the port open, and
// the port cycle releases it.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "operations/session.h"

namespace zm48d::ops {

template <class T>
using Values = std::function<T()>;

using RelayTimes = std::array<std::uint32_t, 4>;  // milliseconds, relays 1..4
using ReaderTimeouts = std::array<int, 4>;        // seconds as typed, readers 1..4

// The relay buttons always pulse with this time, in the controller's unit.
inline constexpr std::int32_t kRelayPulseTime = 200;
// The reader timeout field holds 1..63 s: larger values are cut, never refused.
inline constexpr int kReaderTimeoutMask = 0x3F;
// What the controller keeps of a typed timeout: its low six bits.
inline std::uint8_t StoredReaderTimeout(int seconds) {
  return static_cast<std::uint8_t>(seconds & kReaderTimeoutMask);
}

// "Beep": "Erro!!" when the controller does not answer.
bool SoundBeep(const Session& session);

// "Relé 1".."Relé 4": the page says nothing when the pulse fails; `failure`
// is shown then (the command line passes "Erro!!").
bool TriggerRelay(const Session& session, int relay, std::string_view failure = {});

// The memory notice (command 'I') in a port cycle of its own.
bool SendMemoryNotice(const Session& session, std::string_view openFailure,
                      std::string_view failure);

// "Lê" and "Grava" of the relay times, in milliseconds.
bool ReadRelayTimesInto(const Session& session, const Deliver<std::array<int, 4>>& deliver);
bool WriteRelayTimesFrom(const Session& session, const Values<RelayTimes>& values);

// "Lê" converts the page's four edits too, before it reads and overwrites them:
// `checkEdits` runs once the port is open.
bool ReadReaderTimeoutsInto(const Session& session, const std::function<void()>& checkEdits,
                            const Deliver<std::array<std::uint8_t, 4>>& deliver);
// Each value is cut to its low six bits.
bool WriteReaderTimeoutsFrom(const Session& session, const Values<ReaderTimeouts>& values);

// The head address stored in the controller, not the one the terminal talks to.
// `deliver` runs before "Leitura concluída!" is shown.
bool ReadHeadAddressInto(const Session& session, const Deliver<std::uint8_t>& deliver);
// Written through head AA; the terminal's HeadAddress stays as it was.
bool ChangeHeadAddress(const Session& session, std::uint8_t head);

struct ClockReading {
  std::string date;  // "DD/MM/YY"
  std::string time;  // "HH:MM:SS"
  std::string weekday;
};
// `deliver` runs before "Dia da semana: ..." is shown.
bool ReadClockInto(const Session& session, const Deliver<ClockReading>& deliver);

struct ClockSetting {
  std::string date;  // "DD/MM/YY", as the date edit holds it
  std::string time;  // "HH:MM:SS"
};
// Whether the two texts name a day of the calendar and a time of that day. The
// controller takes any digits and its clock then shows a day that never comes.
bool IsCalendarTime(const ClockSetting& setting);

// "Grava": "Relógio configurado!!"; the page says nothing when it fails,
// `failure` is shown then.
bool SetClockFrom(const Session& session, const Values<ClockSetting>& setting,
                  std::string_view failure = {});

}  // namespace zm48d::ops
