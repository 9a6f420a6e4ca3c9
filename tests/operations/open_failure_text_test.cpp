// The lines that say why a port did not open, and where they go.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "operations/open_failure_reason.h"
#include "operations/open_failure_text.h"
#include "operations/session.h"
#include "tests/support/emulated_line.h"

namespace zm48d::testing {
namespace {

using Problem = OpenFailure::Problem;

TEST(OpenFailureExplanation, NamesTheDeviceTheReasonAndWhatToDo) {
  struct Case {
    OpenFailure failure;
    std::string line;
  };
  const Case cases[] = {
      {{"/dev/ttyUSB0", ENOENT, Problem::kMissing, {}}, "/dev/ttyUSB0: No such file or directory"},
      {{"/dev/ttyUSB0", EACCES, Problem::kNoPermission, {}},
       "/dev/ttyUSB0: Permission denied; add the user to the dialout group"},
      // Nothing holds this path open, so the system cannot say who does.
      {{"/dev/zm48d-no-such-device", EBUSY, Problem::kInUse, {}},
       "/dev/zm48d-no-such-device: Device or resource busy; in use by another program"},
      {{"/dev/null", ENOTTY, Problem::kNotATerminal, {}},
       "/dev/null: Inappropriate ioctl for device; not a serial device"},
      {{"/tmp", EISDIR, Problem::kNotATerminal, {}}, "/tmp: Is a directory; not a serial device"},
      {{"/dev/ttyS3", EIO, Problem::kOther, {}}, "/dev/ttyS3: Input/output error"},
      {{"rfc2217://site:2217", 0, Problem::kNoAnswer, {}},
       "rfc2217://site:2217: sem resposta em 3 s"},
      {{"socket://site:4001", 0, Problem::kInUse, "Port's device already in use"},
       "socket://site:4001: Port's device already in use; the port is in use by another client"},
      {{"socket://nowhere:4001", EHOSTUNREACH, Problem::kBadAddress, "Name or service not known"},
       "socket://nowhere:4001: Name or service not known"},
      {{"", 0, Problem::kNone, {}}, ""},
      {{"/dev/ttyS0", 0, Problem::kNone, {}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ops::OpenFailureExplanation(c.failure), c.line);
  }
}

// The window's words: the port and its device first, then the reason.
TEST(OpenFailureReason, NamesThePortItsDeviceAndTheReasonInPortuguese) {
  struct Case {
    int port;
    OpenFailure failure;
    std::string line;
  };
  const Case cases[] = {
      {5,
       {"/dev/ttyS4", ENOENT, Problem::kMissing, {}},
       "COM 5 (/dev/ttyS4): dispositivo não existe"},
      {1,
       {"/dev/ttyUSB0", EACCES, Problem::kNoPermission, {}},
       "COM 1 (/dev/ttyUSB0): sem permissão de acesso; adicione o usuário ao grupo dialout"},
      {2,
       {"/dev/zm48d-no-such-device", EBUSY, Problem::kInUse, {}},
       "COM 2 (/dev/zm48d-no-such-device): em uso por outro programa"},
      {3,
       {"/dev/null", ENOTTY, Problem::kNotATerminal, {}},
       "COM 3 (/dev/null): não é um dispositivo serial"},
      {3, {"/dev/ttyS2", EIO, Problem::kOther, {}}, "COM 3 (/dev/ttyS2): erro de entrada e saída"},
      {4,
       {"rfc2217://site:2217", 0, Problem::kNoAnswer, {}},
       "COM 4 (rfc2217://site:2217): sem resposta em 3 s"},
      // The server's own words are kept; the link's own English is not.
      {4,
       {"socket://site:4001", 0, Problem::kInUse, "Port's device already in use"},
       "COM 4 (socket://site:4001): em uso por outro cliente (Port's device already in use)"},
      {4,
       {"socket://nowhere:4001", EHOSTUNREACH, Problem::kBadAddress, "Name or service not known"},
       "COM 4 (socket://nowhere:4001): servidor não encontrado"},
      {4,
       {"socket://site", 0, Problem::kBadAddress, "no port number"},
       "COM 4 (socket://site): URL inválida"},
      {4,
       {"rfc2217://site:2217", 0, Problem::kSettingRefused, "the server did not confirm baud"},
       "COM 4 (rfc2217://site:2217): o servidor não aceitou a configuração da linha"},
      {4,
       {"socket://site:4001", ECONNREFUSED, Problem::kOther, {}},
       "COM 4 (socket://site:4001): conexão recusada pelo servidor"},
      {4,
       {"socket://site:4001", 0, Problem::kOther, "the server closed the connection"},
       "COM 4 (socket://site:4001): o servidor encerrou a conexão"},
      {6,
       {"/dev/ttyS5", EROFS, Problem::kOther, {}},
       "COM 6 (/dev/ttyS5): erro do sistema " + std::to_string(EROFS) + " (Read-only file system)"},
      {1, {"", 0, Problem::kNone, {}}, ""},
      {1, {"/dev/ttyS0", 0, Problem::kNone, {}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ops::OpenFailureReason(c.port, c.failure), c.line);
  }
}

// Failures and explanations, in the order they come.
class RecordedNotices final : public ops::Notices {
 public:
  void Show(ops::Tone, std::string_view text) override { shown.emplace_back("failure", text); }
  void Explain(std::string_view text) override { shown.emplace_back("why", text); }
  std::vector<std::pair<std::string, std::string>> shown;
};

// The failure text first, then why; a port cycle that opens says neither.
TEST(OpenFailureExplanation, APortCycleThatDoesNotOpenReportsTheTextThenTheReason) {
  EmulatedLine line;
  RecordedNotices notices;
  {
    const ops::PortCycle port({line.link, kMissingPort, notices}, "Erro ao abrir a serial!!");
    EXPECT_FALSE(port);
  }
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"failure", "Erro ao abrir a serial!!"},
      {"why", "/dev/zm48d-no-such-device: No such file or directory"}};
  EXPECT_EQ(notices.shown, expected);

  notices.shown.clear();
  {
    const ops::PortCycle port({line.link, kEmulatorPort, notices}, "Erro ao abrir a serial!!");
    EXPECT_TRUE(port);
  }
  EXPECT_TRUE(notices.shown.empty());
  EXPECT_EQ(line.link.serial.lastOpenFailure.problem, Problem::kNone);
}

}  // namespace
}  // namespace zm48d::testing
