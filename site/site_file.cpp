#include "site/site_file.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

#include "files/regular_file.h"
#include "link/port_url.h"
#include "protocol/hex_text.h"

namespace zm48d::site {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kKeys[] = {"name", "port", "head", "holidays", "groups", "tags"};

struct Refusal {
  int line;
  std::string why;
};

Result<Site> Refused(const std::string& path, const Refusal& refusal) {
  return Result<Site>::Failure(path + ":" + std::to_string(refusal.line) + ": " + refusal.why);
}

int LineOf(const toml::node& node) { return static_cast<int>(node.source().begin.line); }

bool Known(std::string_view key) {
  for (std::string_view k : kKeys) {
    if (k == key) return true;
  }
  return false;
}

// A relative path is the site file's neighbour, whatever the working folder
// is when the site runs.
std::string Beside(const std::string& sitePath, const std::string& file) {
  const fs::path given(file);
  if (given.is_absolute()) return file;
  std::error_code error;
  const fs::path site = fs::absolute(sitePath, error);
  return (site.parent_path() / given).lexically_normal().string();
}

// The head as the controller's frames carry it: one or two upper-case
// hexadecimal digits (the frames' own digits never have small letters).
std::optional<std::uint8_t> HeadOf(const std::string& text) {
  if (text.size() > 2 || !IsUpperHexText(text)) return std::nullopt;
  return static_cast<std::uint8_t>(HexTextToInt(text));
}

std::string* FileKey(std::string_view key, SiteController& controller) {
  if (key == "holidays") return &controller.holidays;
  if (key == "groups") return &controller.groups;
  if (key == "tags") return &controller.tags;
  return nullptr;
}

// A controller's name is also its folder in a backup and its name in the event
// store: nothing that would lead out of the backup folder or that Windows
// refuses in a file name.
bool UsableAsFolderName(std::string_view name) {
  if (name == "." || name == ".." || name.back() == '.' || name.back() == ' ') return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    constexpr std::string_view kRefused = "/\\:*?\"<>|";
    return static_cast<unsigned char>(c) < 0x20 || kRefused.find(c) != std::string_view::npos;
  });
}

// One key of a [[controller]] table, kept in `controller`.
std::optional<Refusal> ReadKey(std::string_view key, const toml::node& value,
                               const std::string& sitePath, SiteController& controller,
                               int& portLine) {
  const int line = LineOf(value);
  if (!Known(key)) return Refusal{line, "unknown key " + std::string(key)};
  const auto text = value.value_exact<std::string>();
  if (!text) return Refusal{line, std::string(key) + " must be a text in quotes"};
  if (text->empty()) return Refusal{line, std::string(key) + " is empty"};
  if (key == "name") {
    if (!UsableAsFolderName(*text)) {
      return Refusal{line, "name " + *text + " cannot name a folder (no / \\ : * ? \" < > |)"};
    }
    controller.name = *text;
  }
  if (key == "port") {
    controller.port = *text;
    portLine = line;
  }
  if (key == "head") {
    const auto head = HeadOf(*text);
    if (!head) {
      return Refusal{line, "head " + *text + " is not one or two upper-case hexadecimal digits"};
    }
    controller.head = *head;
  }
  if (std::string* file = FileKey(key, controller)) {
    *file = Beside(sitePath, *text);
    std::error_code error;
    if (!fs::is_regular_file(*file, error)) return Refusal{line, "no such file " + *file};
  }
  return std::nullopt;
}

std::optional<Refusal> ReadController(const toml::table& table, const std::string& sitePath,
                                      SiteController& controller, int& portLine) {
  controller.line = LineOf(table);
  for (auto&& [key, value] : table) {
    if (auto refusal = ReadKey(key.str(), value, sitePath, controller, portLine)) return refusal;
  }
  if (controller.name.empty()) return Refusal{controller.line, "a controller without a name"};
  if (controller.port.empty()) return Refusal{controller.line, controller.name + " has no port"};
  std::string problem;
  if (IsPortUrl(controller.port) && !ParsePortUrl(controller.port, problem)) {
    return Refusal{portLine, "port " + controller.port + ": " + problem};
  }
  return std::nullopt;
}

// "COM1" and "com 1" are one port; a device path or a URL is itself.
std::string SamePortKey(const std::string& port) {
  const auto com = ComPortNumber(port);
  return com ? "COM" + std::to_string(*com) : port;
}

Result<Site> ReadControllers(const toml::array& list, const std::string& path) {
  Site site{path, {}};
  std::set<std::string> names, ports;
  for (const toml::node& node : list) {
    const toml::table* table = node.as_table();
    if (table == nullptr) {
      return Refused(path, {LineOf(node), "controller must be a [[controller]] table"});
    }
    SiteController controller;
    int portLine = 0;
    if (auto refusal = ReadController(*table, path, controller, portLine)) {
      return Refused(path, *refusal);
    }
    if (!names.insert(controller.name).second) {
      return Refused(path, {LineOf(*table->get("name")), "duplicate name " + controller.name});
    }
    if (!ports.insert(SamePortKey(controller.port)).second) {
      return Refused(path, {portLine, "duplicate port " + controller.port});
    }
    site.controllers.push_back(std::move(controller));
  }
  return site;
}

}  // namespace

std::optional<int> ComPortNumber(std::string_view port) {
  if (port.size() < 4) return std::nullopt;
  std::string prefix(port.substr(0, 3));
  for (char& c : prefix) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (prefix != "COM") return std::nullopt;
  std::string_view digits = port.substr(3);
  if (digits.starts_with(' ')) digits.remove_prefix(1);
  if (digits.empty() || digits.size() > 3 ||
      digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  const int number = std::stoi(std::string(digits));
  if (number < 1) return std::nullopt;
  return number;
}

Result<Site> ParseSite(std::string_view text, const std::string& path) {
  toml::table document;
  try {
    document = toml::parse(text, path);
  } catch (const toml::parse_error& error) {
    return Refused(path,
                   {static_cast<int>(error.source().begin.line), std::string(error.description())});
  }
  for (auto&& [key, value] : document) {
    if (key.str() != "controller") {
      return Refused(path, {LineOf(value), "unknown key " + std::string(key.str()) +
                                               " (a site holds [[controller]] tables)"});
    }
  }
  const toml::array* list = document["controller"].as_array();
  if (list == nullptr || list->empty()) return Refused(path, {1, "no [[controller]] in the site"});
  return ReadControllers(*list, path);
}

Result<Site> ReadSiteFile(const std::string& path) {
  // A site file is the operator's: it may name a FIFO or a device by mistake.
  const RegularFileBytes file = ReadRegularFile(path, kLargestReadFile);
  if (file.refusal != ReadRefusal::kNone) {
    return Result<Site>::Failure(
        path + ": cannot read the site file: " + RefusalReason(file.refusal, file.error));
  }
  return ParseSite(file.bytes, path);
}

}  // namespace zm48d::site
