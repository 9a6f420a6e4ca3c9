#include "site/site_file.h"

#include <toml++/toml.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

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

SiteReading Refused(const std::string& path, const Refusal& refusal) {
  return {std::nullopt, path + ":" + std::to_string(refusal.line) + ": " + refusal.why};
}

int LineOf(const toml::node& node) { return static_cast<int>(node.source().begin.line); }

bool Known(std::string_view key) {
  for (std::string_view k : kKeys) {
    if (k == key) return true;
  }
  return false;
}

// A relative path is the site file's neighbour.
std::string Beside(const std::string& sitePath, const std::string& file) {
  const fs::path given(file);
  if (given.is_absolute()) return file;
  return (fs::path(sitePath).parent_path() / given).lexically_normal().string();
}

std::optional<Refusal> ReadController(const toml::table& table, const std::string& sitePath,
                                      SiteController& controller) {
  controller.line = LineOf(table);
  for (auto&& [key, value] : table) {
    if (!Known(key.str())) {
      return Refusal{LineOf(value), "unknown key " + std::string(key.str())};
    }
    const auto text = value.value<std::string>();
    if (!text) return Refusal{LineOf(value), std::string(key.str()) + " must be a text in quotes"};
    if (text->empty()) return Refusal{LineOf(value), std::string(key.str()) + " is empty"};
    if (key.str() == "name") controller.name = *text;
    if (key.str() == "port") controller.port = *text;
    if (key.str() == "head") {
      if (text->size() > 2 || text->find_first_not_of("0123456789ABCDEF") != std::string::npos) {
        return Refusal{LineOf(value), "head must be one or two upper-case hexadecimal digits"};
      }
      controller.head = static_cast<std::uint8_t>(HexTextToInt(*text));
    }
    std::string* file = key.str() == "holidays" ? &controller.holidays
                        : key.str() == "groups" ? &controller.groups
                        : key.str() == "tags"   ? &controller.tags
                                                : nullptr;
    if (file != nullptr) {
      *file = Beside(sitePath, *text);
      std::error_code error;
      if (!fs::is_regular_file(*file, error)) {
        return Refusal{LineOf(value), "no such file " + *file};
      }
    }
  }
  if (controller.name.empty()) return Refusal{controller.line, "a controller without a name"};
  if (controller.port.empty()) return Refusal{controller.line, controller.name + " has no port"};
  std::string problem;
  if (IsPortUrl(controller.port) && !ParsePortUrl(controller.port, problem)) {
    return Refusal{controller.line, controller.name + ": port " + controller.port + ": " + problem};
  }
  return std::nullopt;
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

SiteReading ParseSite(std::string_view text, const std::string& path) {
  toml::table document;
  try {
    document = toml::parse(text, path);
  } catch (const toml::parse_error& error) {
    return Refused(path, {static_cast<int>(error.source().begin.line), std::string(error.description())});
  }
  for (auto&& [key, value] : document) {
    if (key.str() != "controller") {
      return Refused(path, {LineOf(value), "unknown key " + std::string(key.str()) +
                                               " (a site holds [[controller]] tables)"});
    }
  }
  const toml::array* list = document["controller"].as_array();
  if (list == nullptr || list->empty()) return Refused(path, {1, "no [[controller]] in the site"});
  Site site{path, {}};
  std::set<std::string> names, ports;
  for (const toml::node& node : *list) {
    const toml::table* table = node.as_table();
    if (table == nullptr) return Refused(path, {LineOf(node), "controller must be a [[controller]] table"});
    SiteController controller;
    if (const auto refusal = ReadController(*table, path, controller)) return Refused(path, *refusal);
    if (!names.insert(controller.name).second) {
      return Refused(path, {controller.line, "duplicate name " + controller.name});
    }
    // "COM1" and "com 1" are one port.
    const auto com = ComPortNumber(controller.port);
    const std::string port = com ? "COM" + std::to_string(*com) : controller.port;
    if (!ports.insert(port).second) {
      return Refused(path, {controller.line, "duplicate port " + controller.port});
    }
    site.controllers.push_back(std::move(controller));
  }
  return {std::move(site), {}};
}

SiteReading ReadSiteFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {std::nullopt, path + ": cannot open the site file"};
  std::ostringstream text;
  text << in.rdbuf();
  return ParseSite(text.str(), path);
}

}  // namespace zm48d::site
