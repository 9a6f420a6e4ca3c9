#pragma once
// A site: the controllers of one building, each on its own port, with the
// files each one is given. Read from a TOML file:
//
//   [[controller]]
//   name = "portaria"
//   port = "COM1"             # COM n, a device path, rfc2217://HOST:PORT or socket://HOST:PORT
//   head = "AA"               # optional, AA by default
//   holidays = "feriados.txt" # optional; paths relative to the site file
//   groups = "grupos.txt"
//   tags = "lista.txt"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/result.h"

namespace zm48d::site {

struct SiteController {
  std::string name;
  std::string port;  // as written: "COM1", a device path or a URL
  std::uint8_t head = 0xAA;
  // Absolute (a relative one is the site file's neighbour); empty when the site names none.
  std::string holidays, groups, tags;
  int line = 0;  // where its [[controller]] starts, for messages
};

struct Site {
  std::string path;
  std::vector<SiteController> controllers;
};

// The site, or why the file is refused: "site.toml:7: duplicate port COM1".
// Everything is checked before anything starts: the keys, the names and ports
// (present and unique), the head, and that every file named exists.
Result<Site> ReadSiteFile(const std::string& path);
// The same from the text of the file `path`, which names it in messages and
// places the files it names.
Result<Site> ParseSite(std::string_view text, const std::string& path);

// "COM n" from "COM1" / "COM 1" (case-insensitive), else nullopt: a device or a URL.
std::optional<int> ComPortNumber(std::string_view port);

}  // namespace zm48d::site
