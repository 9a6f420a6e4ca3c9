#pragma once
// The access check: what a controller would decide on tag reads once a set of
// files were sent to it, tried with no controller and no port. The memory is
// built by the uploads' own code, refused where a send would refuse the files,
// and the reads are decided by the controller's own rules (the emulator's too).
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "operations/configuration_files.h"
#include "operations/session.h"
#include "protocol/memory_image.h"
#include "protocol/tag_read.h"

namespace zm48d::ops {

using CheckFiles = ConfigurationFiles;

// The memory a send of the three files leaves on a controller whose memory was
// empty: the rules image in the EEPROM space, the tag list from TagListStart and
// its address and count in the ConfigBlock. Null when the send would refuse the
// files; the refusal, naming the file, goes to `notices`. A file that cannot be
// read, a count that is no number or a missing data line raises its error.
std::unique_ptr<MemoryImage> MemoryAfterSend(const CheckFiles& files, Notices& notices);

// What is wrong with a read's words, for a message.
std::string_view ReadFaultText(ReadFault fault);

// A file of reads, one a line, "DOOR TAG DD/MM/YY HH:MM:SS"; blank lines are
// skipped. Nullopt when a line is bad: reported with the file and line number.
std::optional<std::vector<TagRead>> LoadReads(const std::string& path, Notices& notices);

struct CheckOutcome {
  std::vector<std::uint8_t> records;  // the EventRecord each read leaves, in order
  bool allGranted = true;
};

CheckOutcome CheckReads(const MemoryImage& memory, std::span<const TagRead> reads);

}  // namespace zm48d::ops
