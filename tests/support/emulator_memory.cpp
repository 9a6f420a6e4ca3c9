#include "tests/support/emulator_memory.h"

#include "protocol/big_endian.h"

namespace zm48d::testing {

EventRecord SampleEvent(std::uint32_t tag, std::uint8_t flags, std::uint8_t hour) {
  return {static_cast<std::uint8_t>(tag >> 16),
          HighByte(tag),
          LowByte(tag),
          0x07,
          0x12,
          0x26,
          hour,
          0x05,
          0x33,
          flags};
}

void SetStackPointers(AddressSpace& eeprom, int start, int top) {
  PutWord(&eeprom[stack_header::kStackStart], static_cast<unsigned>(start));
  PutWord(&eeprom[stack_header::kStackTop], static_cast<unsigned>(top));
}

void SetStack(AddressSpace& eeprom, int start, int top, int limit) {
  SetStackPointers(eeprom, start, top);
  PutWord(&eeprom[stack_header::kStackLimit], static_cast<unsigned>(limit));
}

void SetStackPointers(emu::PtyEmulator& emulator, int start, int top) {
  emulator.With([&](emu::Controller& c) { SetStackPointers(c.eeprom, start, top); });
}

void SetStack(emu::PtyEmulator& emulator, int start, int top, int limit) {
  emulator.With([&](emu::Controller& c) { SetStack(c.eeprom, start, top, limit); });
}

void EmptyStack(emu::PtyEmulator& emulator) {
  emulator.With([](emu::Controller& c) { EmptyStack(c.eeprom); });
}

void EmptyStack(AddressSpace& eeprom) {
  eeprom[stack_header::kStackTop] = eeprom[stack_header::kStackStart];
  eeprom[stack_header::kStackTop + 1] = eeprom[stack_header::kStackStart + 1];
}

int WaitingBytes(const AddressSpace& eeprom) {
  return GetWord(&eeprom[stack_header::kStackTop]) - GetWord(&eeprom[stack_header::kStackStart]);
}

std::vector<std::uint8_t> Slice(const AddressSpace& space, int at, int count) {
  return std::vector<std::uint8_t>(space.begin() + at, space.begin() + at + count);
}

std::vector<std::uint8_t> EepromSlice(emu::PtyEmulator& emulator, int at, int count) {
  return emulator.With([&](const emu::Controller& c) { return Slice(c.eeprom, at, count); });
}

std::vector<std::uint8_t> SettingsSlice(emu::PtyEmulator& emulator, int at, int count) {
  return emulator.With([&](const emu::Controller& c) { return Slice(c.settings, at, count); });
}

std::vector<std::uint8_t> StackHeaderOf(emu::PtyEmulator& emulator) {
  return EepromSlice(emulator, 0, stack_header::kSize);
}

}  // namespace zm48d::testing
