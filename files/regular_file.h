#pragma once
// Reading a file named by the operator without ever waiting on it: a FIFO with
// no writer would block the open or the read for good, and a device such as
// /dev/zero never ends.
#include <cstdint>
#include <string>

namespace zm48d {

// The largest file the terminal reads: far above any list the controller
// holds, small enough to read whole.
inline constexpr std::uintmax_t kLargestReadFile = 16u * 1024u * 1024u;

enum class ReadRefusal { kNone, kSystemError, kNotRegular, kTooLarge };

struct RegularFileBytes {
  ReadRefusal refusal = ReadRefusal::kNone;
  int error = 0;  // errno, for kSystemError
  std::string bytes;
};

// Opens `path` without blocking, checks on the open file that it is a regular
// file of at most `limit` bytes, and reads it whole, never more than `limit`
// bytes (a file that grows meanwhile is refused as too large). Something that
// is there but not a regular file is refused before the open: opening a serial
// device named by mistake would already change its lines.
RegularFileBytes ReadRegularFile(const std::string& path, std::uintmax_t limit);

// Why a file was not read, as the reason in "Cannot open file": "not a regular file".
std::string RefusalReason(ReadRefusal refusal, int error = 0);

}  // namespace zm48d
