// reset-memory, and raw access to the controller's two address spaces for test
// engineers: eeprom (command 'D') and settings (command 'G').
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/hex_dump.h"
#include "operations/operator_texts.h"
#include "operations/reset_memory.h"
#include "protocol/memory.h"

namespace zm48d::cli {

namespace {

// The EEPROM space is 64 KiB; a longer transfer would only wrap around it.
constexpr std::uint64_t kSpaceSize = kAddressSpaceSize;

std::string_view SubCommand(const CommandContext& context, std::string_view command) {
  if (context.args.empty()) throw UsageError(std::string(command) + " needs 'read' or 'write'");
  const std::string& word = context.args[0];
  if (word != "read" && word != "write") {
    throw UsageError(std::string(command) + " takes 'read' or 'write', not '" + word + "'");
  }
  return word;
}

// A raw write: "Gravação concluída com sucesso!" or "Erro!!".
int Report(CommandContext& context, bool ok) {
  if (ok) {
    context.session.Note(text::kWriteDone);
  } else {
    context.session.Fail(text::kError);
  }
  return ExitStatus(ok);
}

// A raw read: the dump, or "Erro!!".
int PrintDump(CommandContext& context, bool read, std::uint16_t address,
              std::span<const std::uint8_t> bytes) {
  if (!read) {
    context.session.Fail(text::kError);
    return kExitFailure;
  }
  context.out << HexDump(address, bytes);
  return kExitSuccess;
}

std::vector<std::uint8_t> BytesToWrite(std::span<const std::string> words, std::size_t most) {
  if (words.empty()) throw UsageError("no HEXBYTES given");
  std::vector<std::uint8_t> bytes = ParseHexBytes(words);
  if (bytes.size() > most) {
    throw UsageError("HEXBYTES: at most " + std::to_string(most) + " bytes, got " +
                     std::to_string(bytes.size()));
  }
  return bytes;
}

// The ADDR and HEXBYTES of a raw write to one of the two spaces.
struct RawWrite {
  std::uint16_t address;
  std::vector<std::uint8_t> bytes;
};

RawWrite ParseRawWrite(const std::vector<std::string>& args, std::string_view space,
                       std::size_t most) {
  if (args.size() < 3) throw UsageError(std::string(space) + " write needs ADDR and HEXBYTES");
  return {ParseAddress(args[1]), BytesToWrite(std::span<const std::string>(args).subspan(2), most)};
}

int ReadEepromCommand(CommandContext& context) {
  RequireArgumentCount(context.args, 3);
  const std::uint16_t address = ParseAddress(context.args[1]);
  const auto length = static_cast<int>(ParseNumberInRange(context.args[2], "LEN", 1, kSpaceSize));
  const ops::PortCycle port(context.session, text::kOpenPortFailed);
  if (!port) return kExitFailure;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  LinkStatus status = link_status::kOk;
  return PrintDump(context, ReadEeprom(context.session.link, address, length, bytes.data(), status),
                   address, bytes);
}

int WriteEepromCommand(CommandContext& context) {
  const RawWrite write = ParseRawWrite(context.args, "eeprom", kSpaceSize);
  const ops::PortCycle port(context.session, text::kOpenPortFailed);
  if (!port) return kExitFailure;
  LinkStatus status = link_status::kOk;
  const bool ok = WriteEeprom(context.session.link, write.address,
                              static_cast<int>(write.bytes.size()), write.bytes.data(), status);
  return Report(context, ok);
}

int ReadSettingsCommand(CommandContext& context) {
  RequireArgumentCount(context.args, 2);
  const std::uint16_t address = ParseAddress(context.args[1]);
  const ops::PortCycle port(context.session, text::kOpenPortFailed);
  if (!port) return kExitFailure;
  Page page{};
  LinkStatus status = link_status::kOk;
  return PrintDump(context, ReadPage(context.session.link, address, page, status), address, page);
}

// The settings space is only written a whole page at a time. The bytes given
// replace the start of the page; the rest is read from the controller first and
// written back unchanged, as the terminal changes single settings. Nothing is
// written when that read fails.
int WriteSettingsCommand(CommandContext& context) {
  const RawWrite write = ParseRawWrite(context.args, "settings", kPageSize);
  const ops::PortCycle port(context.session, text::kOpenPortFailed);
  if (!port) return kExitFailure;
  Page page{};
  LinkStatus status = link_status::kOk;
  if (!ReadPage(context.session.link, write.address, page, status)) {
    context.session.Fail(text::kError);
    return kExitFailure;
  }
  std::copy(write.bytes.begin(), write.bytes.end(), page.begin());
  return Report(context, WritePage(context.session.link, write.address, page, status));
}

}  // namespace

// The window's button says nothing when the port does not open; a script is
// told, with the Beep's text.
int RunResetMemory(CommandContext& context) {
  RequireArgumentCount(context.args, 0);
  return ExitStatus(ops::ResetControllerMemory(context.session, text::kOpenPortFailed));
}

int RunEeprom(CommandContext& context) {
  return SubCommand(context, "eeprom") == "read" ? ReadEepromCommand(context)
                                                 : WriteEepromCommand(context);
}

int RunSettings(CommandContext& context) {
  return SubCommand(context, "settings") == "read" ? ReadSettingsCommand(context)
                                                   : WriteSettingsCommand(context);
}

}  // namespace zm48d::cli
