#include "site/site_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "tests/support/temp_dir.h"

namespace zm48d::site {
namespace {

using testing::TempDir;

TEST(SiteFile, ReadsEachControllerWithItsFilesBesideTheSite) {
  TempDir dir;
  std::filesystem::create_directory(dir.Root() / "listas");
  dir.Write("feriados.txt", {"1"});
  dir.Write("listas/grupos.txt", {"1"});
  const std::string tags = dir.Write("lista.txt", {"1"});
  const std::string path = dir.Write(
      "site.toml", {
                       "# the two doors of the building",
                       "[[controller]]",
                       "name = \"portaria\"",
                       "port = \"COM 1\"",
                       "holidays = \"feriados.txt\"",
                       "groups = \"listas/grupos.txt\"",
                       "tags = '" + tags + "'",  // a literal string: Windows paths hold backslashes
                       "",
                       "[[controller]]",
                       "name = \"garagem\"",
                       "port = \"rfc2217://10.0.0.7:4001\"",
                       "head = \"0B\"",
                   });

  const Result<Site> read = ReadSiteFile(path);

  ASSERT_TRUE(read.ok()) << read.error();
  const Site& site = read.value();
  EXPECT_EQ(site.path, path);
  ASSERT_EQ(site.controllers.size(), 2u);
  const SiteController& portaria = site.controllers[0];
  EXPECT_EQ(portaria.name, "portaria");
  EXPECT_EQ(portaria.port, "COM 1");
  EXPECT_EQ(portaria.head, 0xAA);
  EXPECT_EQ(portaria.holidays, (dir.Root() / "feriados.txt").lexically_normal().string());
  EXPECT_EQ(portaria.groups, (dir.Root() / "listas" / "grupos.txt").lexically_normal().string());
  EXPECT_EQ(portaria.tags, tags);
  EXPECT_EQ(portaria.line, 2);
  const SiteController& garagem = site.controllers[1];
  EXPECT_EQ(garagem.name, "garagem");
  EXPECT_EQ(garagem.port, "rfc2217://10.0.0.7:4001");
  EXPECT_EQ(garagem.head, 0x0B);
  EXPECT_EQ(garagem.holidays, "");
  EXPECT_EQ(garagem.groups, "");
  EXPECT_EQ(garagem.tags, "");
  EXPECT_EQ(garagem.line, 9);
}

struct BadSite {
  const char* what;
  std::vector<std::string> lines;
  std::string message;  // after "<path>:"; ending "{dir}/NAME": that file beside the site
};

void PrintTo(const BadSite& bad, std::ostream* out) { *out << bad.what; }

class SiteFileRefusal : public ::testing::TestWithParam<BadSite> {};

TEST_P(SiteFileRefusal, NamesTheLineAndTheFault) {
  const BadSite& bad = GetParam();
  TempDir dir;
  dir.Write("feriados.txt", {"1"});
  const std::string path = dir.Write("site.toml", bad.lines);
  std::string message = bad.message;
  if (const auto at = message.find("{dir}/"); at != std::string::npos) {
    const std::string name = message.substr(at + 6);
    message.replace(at, std::string::npos, (dir.Root() / name).lexically_normal().string());
  }

  const Result<Site> read = ReadSiteFile(path);

  ASSERT_FALSE(read.ok());
  EXPECT_EQ(read.error(), path + ":" + message);
}

const std::vector<std::string> kPortaria = {"[[controller]]", "name = \"portaria\"",
                                            "port = \"COM1\"", ""};

std::vector<std::string> AfterPortaria(std::vector<std::string> lines) {
  std::vector<std::string> all = kPortaria;
  all.insert(all.end(), lines.begin(), lines.end());
  return all;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SiteFileRefusal,
    ::testing::Values(
        BadSite{"missing name",
                {"[[controller]]", "port = \"COM1\""},
                "1: a controller without a name"},
        BadSite{"missing port", AfterPortaria({"[[controller]]", "name = \"garagem\""}),
                "5: garagem has no port"},
        BadSite{"duplicate name",
                AfterPortaria({"[[controller]]", "name = \"portaria\"", "port = \"COM2\""}),
                "6: duplicate name portaria"},
        BadSite{"duplicate port",
                AfterPortaria({"[[controller]]", "name = \"garagem\"", "port = \"COM1\""}),
                "7: duplicate port COM1"},
        BadSite{"duplicate port written another way",
                AfterPortaria({"[[controller]]", "name = \"garagem\"", "port = \"com 1\""}),
                "7: duplicate port com 1"},
        BadSite{"unknown key",
                {"[[controller]]", "name = \"a\"", "port = \"COM1\"", "door = \"1\""},
                "4: unknown key door"},
        BadSite{"unknown table", AfterPortaria({"[building]", "floor = \"1\""}),
                "5: unknown key building (a site holds [[controller]] tables)"},
        BadSite{"holidays that do not exist",
                {"[[controller]]", "name = \"a\"", "port = \"COM1\"", "holidays = \"nada.txt\""},
                "4: no such file {dir}/nada.txt"},
        BadSite{"URL without a port number",
                {"[[controller]]", "name = \"a\"", "port = \"socket://host\""},
                "3: port socket://host: no port number"},
        BadSite{"URL of an unknown scheme",
                {"[[controller]]", "name = \"a\"", "port = \"telnet://host:23\""},
                "3: port telnet://host:23: unknown scheme (rfc2217:// or socket://)"},
        BadSite{"bad TOML",
                {"[[controller]]", "name = \"a\"", "port = COM1"},
                "3: Error while parsing value: could not determine value type"},
        BadSite{"head of three digits",
                {"[[controller]]", "name = \"a\"", "port = \"COM1\"", "head = \"XYZ\""},
                "4: head XYZ is not one or two upper-case hexadecimal digits"},
        BadSite{"head in small letters",
                {"[[controller]]", "name = \"a\"", "port = \"COM1\"", "head = \"ab\""},
                "4: head ab is not one or two upper-case hexadecimal digits"},
        BadSite{"no controller", {"# nothing yet"}, "1: no [[controller]] in the site"},
        BadSite{"port as a number",
                {"[[controller]]", "name = \"a\"", "port = 3"},
                "3: port must be a text in quotes"},
        BadSite{
            "empty name", {"[[controller]]", "name = \"\"", "port = \"COM1\""}, "2: name is empty"},
        BadSite{"name that leads out of a backup folder",
                {"[[controller]]", "name = \"../portaria\"", "port = \"COM1\""},
                "2: name ../portaria cannot name a folder (no / \\ : * ? \" < > |)"},
        BadSite{"name that is the parent folder",
                {"[[controller]]", "name = \"..\"", "port = \"COM1\""},
                "2: name .. cannot name a folder (no / \\ : * ? \" < > |)"},
        BadSite{"name with a colon, which Windows refuses",
                {"[[controller]]", "name = \"sala:1\"", "port = \"COM1\""},
                "2: name sala:1 cannot name a folder (no / \\ : * ? \" < > |)"}),
    [](const ::testing::TestParamInfo<BadSite>& info) {
      std::string name = info.param.what;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST(SiteFile, RefusesWhatIsNoRegularFile) {
  TempDir dir;
  const Result<Site> missing = ReadSiteFile(dir.Path("site.toml"));
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error(),
            dir.Path("site.toml") + ": cannot read the site file: " +
                std::make_error_code(std::errc::no_such_file_or_directory).message());

  const Result<Site> folder = ReadSiteFile(dir.Root().string());
  ASSERT_FALSE(folder.ok());
  EXPECT_EQ(folder.error(),
            dir.Root().string() + ": cannot read the site file: not a regular file");
}

TEST(SiteFile, ComPortNumberTakesTheOperatorsSpellings) {
  const struct {
    const char* port;
    std::optional<int> number;
  } cases[] = {
      {"COM1", 1},
      {"COM 1", 1},
      {"com1", 1},
      {"Com 12", 12},
      {"COM0", std::nullopt},
      {"COM", std::nullopt},
      {"COM  1", std::nullopt},
      {"COMX", std::nullopt},
      {"COM1000", std::nullopt},
      {"/dev/ttyUSB0", std::nullopt},
      {"socket://host:1", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ComPortNumber(c.port), c.number) << c.port;
}

}  // namespace
}  // namespace zm48d::site
