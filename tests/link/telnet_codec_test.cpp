#include "link/telnet_codec.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace zm48d {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace telnet;

Bytes Data(const std::deque<std::uint8_t>& data) { return Bytes(data.begin(), data.end()); }

TEST(TelnetCodec, LineBytesGoOutWithEachIacDoubledAndComeBackUndoubled) {
  const Bytes line{0x02, 0xFF, 0x10, 0xFF, 0xFF, 0x03};
  TelnetCodec codec(true);
  Bytes wire;
  codec.EncodeData(line, wire);
  EXPECT_EQ(wire, (Bytes{0x02, 0xFF, 0xFF, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 0x03}));
  std::deque<std::uint8_t> data;
  // Split at every point, the doubled IAC included: the stream comes in chunks.
  for (std::size_t cut = 0; cut <= wire.size(); ++cut) {
    TelnetCodec in(true);
    data.clear();
    in.Feed(std::span(wire).first(cut), data);
    in.Feed(std::span(wire).subspan(cut), data);
    EXPECT_EQ(Data(data), line) << "cut at " << cut;
  }
}

TEST(TelnetCodec, ARawConnectionCarriesEveryByteUntouched) {
  const Bytes line{0xFF, kWill, kComPortOption, 0xFF};
  TelnetCodec codec(false);
  Bytes wire;
  codec.EncodeData(line, wire);
  EXPECT_EQ(wire, line);
  std::deque<std::uint8_t> data;
  codec.Feed(line, data);
  EXPECT_EQ(Data(data), line);
  EXPECT_FALSE(codec.ComPortAccepted().has_value());
}

TEST(TelnetCodec, OptionsNotOfferedAreRefusedAndTheComPortAnswerIsKept) {
  TelnetCodec codec(true);
  std::deque<std::uint8_t> data;
  const Bytes server{kIac, kWill, 1,   kIac,           kDo,  kBinary, kIac,
                     kDo,  24,  // ECHO, BINARY, TTYPE
                     'A',  kIac,  kDo, kComPortOption, kIac, kWill,   kSuppressGoAhead,
                     'B'};
  codec.Feed(server, data);
  EXPECT_EQ(Data(data), (Bytes{'A', 'B'}));
  EXPECT_EQ(codec.TakeReplies(), (Bytes{kIac, kDont, 1, kIac, kWont, 24}));
  EXPECT_TRUE(codec.TakeReplies().empty());
  ASSERT_TRUE(codec.ComPortAccepted().has_value());
  EXPECT_TRUE(*codec.ComPortAccepted());

  TelnetCodec refusing(true);
  refusing.Feed(Bytes{kIac, kDont, kComPortOption}, data);
  EXPECT_FALSE(*refusing.ComPortAccepted());
}

TEST(TelnetCodec, ComPortAnswersAreCollectedInOrderWithTheirIacsUndoubled) {
  TelnetCodec codec(true);
  std::deque<std::uint8_t> data;
  const Bytes baud = TelnetCodec::ComPortCommand(kSetBaudRate, Bytes{0, 0, 0xFF, 0});
  EXPECT_EQ(baud, (Bytes{kIac, kSb, kComPortOption, 1, 0, 0, 0xFF, 0xFF, 0, kIac, kSe}));
  Bytes server{kIac,
               kSb,
               kComPortOption,
               101,
               0,
               0,
               0xFF,
               0xFF,
               0,
               kIac,
               kSe,  // baud
               kIac,
               kSb,
               kComPortOption,
               105,
               1,
               kIac,
               kSe,  // control
               'x',
               kIac,
               kSb,
               kComPortOption,
               105,
               7,
               kIac,
               kSe,
               kIac,
               kSb,
               kComPortOption,
               5,
               9,
               kIac,
               kSe};  // a client's command: ignored
  codec.Feed(server, data);
  EXPECT_EQ(Data(data), (Bytes{'x'}));
  EXPECT_EQ(codec.ComPortAnswers(kSetBaudRate), (std::vector<Bytes>{{0, 0, 0xFF, 0}}));
  EXPECT_EQ(codec.ComPortAnswers(kSetControl), (std::vector<Bytes>{{1}, {7}}));
  EXPECT_TRUE(codec.ComPortAnswers(kPurgeData).empty());
  codec.Reset();
  EXPECT_TRUE(codec.ComPortAnswers(kSetControl).empty());
}

}  // namespace
}  // namespace zm48d
