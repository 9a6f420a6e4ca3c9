// Memory reads take an answer only as 32 upper-case hexadecimal characters: the
// bytes they give are stored, compared and cleared by, so a lower-case letter, a
// missing character or any other character fails the read instead of becoming
// a byte the controller never held.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "emulator/frame_reader.h"
#include "link/serial_link.h"
#include "protocol/hex_text.h"
#include "protocol/memory.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(UpperHexPairs, DecodeOnlyWholePairsOfUpperCaseDigits) {
  struct Case {
    const char* text;
    std::size_t bytes;
    std::optional<Bytes> decoded;
  };
  const Case cases[] = {
      {"10004C", 3, Bytes{0x10, 0x00, 0x4C}},
      {"10004CXYZ", 3, Bytes{0x10, 0x00, 0x4C}},  // what follows the pairs is not read
      {"", 0, Bytes{}},
      {"10004c", 3, std::nullopt},  // HexTextToInt would give 10 00 04
      {"1a", 1, std::nullopt},
      {"10004", 3, std::nullopt},  // one character short
      {"G7", 1, std::nullopt},
      {" 1", 1, std::nullopt},
      {"0K", 1, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Bytes out(c.bytes, 0xEE);
    const bool decoded = DecodeUpperHexPairs(Text(c.text), out);
    EXPECT_EQ(decoded, c.decoded.has_value());
    EXPECT_EQ(out, c.decoded.value_or(Bytes(c.bytes, 0xEE))) << "a refused text leaves `out` alone";
  }
}

// A controller that answers each request with the next of its scripted data.
class ScriptedController final : public SerialLink {
 public:
  explicit ScriptedController(std::vector<Bytes> answers)
      : answers_(answers.begin(), answers.end()) {}
  int requests = 0;

  bool OpenDevice(int, std::uint32_t) override { return true; }
  void CloseDevice() override {}
  bool Write(const std::uint8_t*, int size, int& written) override {
    ++requests;
    written = size;
    if (!answers_.empty()) {
      const Bytes frame = emu::EncodeResponse(0xAA, answers_.front());
      incoming_.insert(incoming_.end(), frame.begin(), frame.end());
      answers_.pop_front();
    }
    return true;
  }
  bool Read(int size, std::uint8_t* buffer, int& read) override {
    for (read = 0; read < size && !incoming_.empty(); ++read) {
      buffer[read] = incoming_.front();
      incoming_.pop_front();
    }
    return read == size;
  }
  void Purge(unsigned flags) override {
    if (flags & kPurgeRxClear) incoming_.clear();
  }

 private:
  std::deque<Bytes> answers_;
  std::deque<std::uint8_t> incoming_;
};

const std::string kBlock = "000102030405060708090A0B0C0D0E0F";  // the bytes 00 to 0F

TEST(StrictMemoryReads, EepromAndPageReadsRefuseAnythingButTheFullUpperCaseText) {
  struct Case {
    const char* name;
    std::string second;  // the answer to the second frame; the first is sound
    bool accepted;
  };
  const Case cases[] = {
      {"as sent by the controller", kBlock, true},
      {"extra characters after the 32", kBlock + "zz 9", true},
      {"lower-case letters", "000102030405060708090a0b0c0d0e0f", false},
      {"two characters short", kBlock.substr(0, 30), false},
      {"empty", "", false},
      {"not hexadecimal", "00010203040506070809-A0B0C0D0E0F", false},
      {"an acknowledgement", "OK", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Bytes> answers = {Text(kBlock), Text(c.second), Text(kBlock), Text(kBlock),
                                        Text(kBlock), Text(kBlock),   Text(kBlock), Text(kBlock)};
    {
      ScriptedController controller(answers);
      LinkState link(controller);
      ASSERT_TRUE(SerialOpen(link.serial, 1));
      std::array<std::uint8_t, 48> buffer{};
      LinkStatus status = 99;
      EXPECT_EQ(ReadEeprom(link, 0, 48, buffer.data(), status), c.accepted);
      EXPECT_EQ(status, link_status::kOk) << "each transaction itself was sound";
      EXPECT_EQ(controller.requests, c.accepted ? 3 : 2) << "no frame after a refused answer";
      EXPECT_EQ(buffer[16 + 0x0A], c.accepted ? 0x0A : 0x00) << "nothing kept of a refused answer";
    }
    {
      ScriptedController controller(answers);
      LinkState link(controller);
      ASSERT_TRUE(SerialOpen(link.serial, 1));
      Page page{};
      LinkStatus status = 99;
      EXPECT_EQ(ReadPage(link, 0x8000, page, status), c.accepted);
      EXPECT_EQ(status, link_status::kOk);
      EXPECT_EQ(controller.requests, c.accepted ? 8 : 2);
      EXPECT_EQ(page[16 + 0x0F], c.accepted ? 0x0F : 0x00);
    }
  }
}

}  // namespace
}  // namespace zm48d::testing
