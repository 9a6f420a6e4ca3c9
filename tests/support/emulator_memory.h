#pragma once
// The controller's memory as tests set it up and look at it: event records,
// the event stack's header in the EEPROM, and runs of bytes of either space,
// whether of a bare image or of an emulator serving a line.
#include <array>
#include <cstdint>
#include <vector>

#include "emulator/pty_emulator.h"
#include "protocol/memory_image.h"
#include "protocol/memory_map.h"

namespace zm48d::testing {

using EventRecord = std::array<std::uint8_t, EventRecordSize>;

// A record of `tag` (three bytes, high first) read on 07/12/26 at 14:05:33,
// at the hour `hour` (BCD) instead when given, with `flags`.
EventRecord SampleEvent(std::uint32_t tag, std::uint8_t flags = 0x10, std::uint8_t hour = 0x14);

// The stack's start and top, straight into the header; the bytes between stay.
void SetStackPointers(AddressSpace& eeprom, int start, int top);
// The same with the stack's limit.
void SetStack(AddressSpace& eeprom, int start, int top, int limit);
// The same in the memory of a serving emulator.
void SetStackPointers(emu::PtyEmulator& emulator, int start, int top);
void SetStack(emu::PtyEmulator& emulator, int start, int top, int limit);
// The top back at the start: no record waiting.
void EmptyStack(AddressSpace& eeprom);
void EmptyStack(emu::PtyEmulator& emulator);
// How many bytes of records wait between the start and the top.
int WaitingBytes(const AddressSpace& eeprom);

// `count` bytes of `space` from `at`.
std::vector<std::uint8_t> Slice(const AddressSpace& space, int at, int count);
// The same from the memory of a serving emulator.
std::vector<std::uint8_t> EepromSlice(emu::PtyEmulator& emulator, int at, int count);
std::vector<std::uint8_t> SettingsSlice(emu::PtyEmulator& emulator, int at, int count);
// The stack header of a serving emulator.
std::vector<std::uint8_t> StackHeaderOf(emu::PtyEmulator& emulator);

}  // namespace zm48d::testing
