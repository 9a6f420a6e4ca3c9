#include "files/regular_file.h"

#include <cerrno>

#include "files/file_reader.h"

namespace zm48d {

namespace {

RegularFileBytes Refused(ReadRefusal refusal, int error = 0) { return {refusal, error, {}}; }

}  // namespace

RegularFileBytes ReadRegularFile(const std::string& path, std::uintmax_t limit) {
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

}  // namespace zm48d
