#include "files/regular_file.h"

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <system_error>

#include "files/file_reader.h"

namespace zm48d {

namespace {

RegularFileBytes Refused(ReadRefusal refusal, int error = 0) { return {refusal, error, {}}; }

}  // namespace

RegularFileBytes ReadRegularFile(const std::string& path, std::uintmax_t limit) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    return Refused(ReadRefusal::kNotRegular);
  }
  const FileReader reader(path);
  if (!reader.Opened()) return Refused(ReadRefusal::kSystemError, errno);
  bool regular = false;
  std::uintmax_t size = 0;
  if (!reader.Inspect(regular, size)) return Refused(ReadRefusal::kSystemError, errno);
  if (!regular) return Refused(ReadRefusal::kNotRegular);
  if (size > limit) return Refused(ReadRefusal::kTooLarge);

  RegularFileBytes file;
  char buffer[8192];
  for (;;) {
    const long got = reader.Read(buffer, sizeof buffer);
    if (got == 0) return file;
    if (got < 0) return Refused(ReadRefusal::kSystemError, errno);
    // A file that grows while it is read is refused as too large.
    if (file.bytes.size() + static_cast<std::size_t>(got) > limit) {
      return Refused(ReadRefusal::kTooLarge);
    }
    file.bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

std::string RefusalReason(ReadRefusal refusal, int error) {
  switch (refusal) {
    case ReadRefusal::kNotRegular: return "not a regular file";
    case ReadRefusal::kTooLarge: return "larger than 16 MiB";
    case ReadRefusal::kSystemError:
      return std::generic_category().message(error != 0 ? error : EIO);
    case ReadRefusal::kNone: break;
  }
  return {};
}

}  // namespace zm48d
