#pragma once
// A model of the ZM48D controller: its two memory spaces, clock, relays, beeper,
// download mode and reader activity, and the answers it gives to each request.
#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "protocol/access_decision.h"
#include "protocol/memory_image.h"
#include "protocol/memory_map.h"
#include "protocol/tag_read.h"

namespace zm48d::emu {

// The controller keeps its memory to the terminal's map; the names are shared.
using zm48d::kAddressSpaceSize;
using zm48d::kConfigBlockAddress;
using Space = zm48d::AddressSpace;

// One request frame as the controller received it.
struct Request {
  std::uint8_t head = 0;
  std::uint8_t command = 0;
  std::vector<std::uint8_t> data;
  std::vector<std::uint8_t> frame;  // every byte of the frame, 02 .. 04
};

// The controller's clock as BCD-free values (what "E" "G" set).
struct ClockValue {
  int day = 1, month = 1, year = 0, weekday = 0, hour = 0, minute = 0, second = 0;
};

// One reader entry of the online reading: a 24-bit tag and a value byte.
struct OnlineEntry {
  std::uint32_t tag = 0;
  std::uint8_t value = 0;
};

class Controller {
 public:
  Controller();

  // The answers (response data of each response frame) to one request addressed
  // to this controller; empty when the controller does not answer it.
  std::vector<std::vector<std::uint8_t>> Answer(const Request& request);
  // True when the controller answers a request carrying this head.
  bool Addressed(std::uint8_t head) const;

  Space eeprom{};
  Space settings{};
  ClockValue clock;
  // The clock runs from the moment it was set; tests may stop it.
  bool clockRunning = true;
  std::chrono::steady_clock::time_point clockSetAt = std::chrono::steady_clock::now();
  ClockValue CurrentClock() const;
  std::array<OnlineEntry, kOnlineEntries> online{};
  int beeps = 0;
  int notifications = 0;  // "I" received
  bool downloadMode = false;
  // Events that came while in download mode: a controller keeps them aside, so
  // that the stack a terminal downloads is the one it empties afterwards; they
  // go onto the stack when download mode is left.
  std::vector<std::array<std::uint8_t, EventRecordSize>> heldEvents;
  std::vector<std::pair<int, std::string>> relayPulses;  // relay index 0..3, time text
  std::vector<std::uint8_t> lastOnlineFlag;              // data byte of each "J"

  std::uint8_t OwnHead() const {
    return settings[kConfigBlockAddress + config_block::kHeadAddress];
  }

  // Puts one event record on the stack described by the header at EEPROM 0 and
  // advances the top, or holds it while in download mode. False when the stack
  // is full (top + 10 beyond the limit).
  bool PushEvent(const std::array<std::uint8_t, EventRecordSize>& record);
  // Leaves download mode ('B' 'S'): the held events go onto the stack, those
  // that fit.
  void LeaveDownloadMode();

  // A tag presented at reader `read.door`: decided on the memory, its event
  // pushed, the door's relay pulsed when granted, and the reader's online entry
  // showing the tag with the event's flags. A damaged layout changes nothing.
  ReadEffects Swipe(const TagRead& read);

  // Saves or loads both memory spaces (the controller's non-volatile memory).
  bool Save(const std::string& path) const;
  bool Load(const std::string& path);
};

}  // namespace zm48d::emu
