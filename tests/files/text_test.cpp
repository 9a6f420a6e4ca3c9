// StrToInt, the runtime's error texts and the Windows-1252 conversion.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "files/cp1252.h"
#include "files/runtime_errors.h"

namespace zm48d::testing {
namespace {

std::string ConversionMessage(std::string_view text) {
  try {
    StrToInt(text);
  } catch (const ConversionError& e) {
    return e.what();
  }
  return "no error";
}

TEST(StrToIntTest, ReadsDecimalWithLeadingBlanksAndSign) {
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("300"), 300);
  EXPECT_EQ(StrToInt("  42"), 42);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("-15"), -15);
  EXPECT_EQ(StrToInt("007"), 7);
}

TEST(StrToIntTest, ReadsHexadecimalPrefixes) {
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("0x1f"), 31);
  EXPECT_EQ(StrToInt("0XAA"), 170);
  EXPECT_EQ(StrToInt("-$10"), -16);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
}

TEST(StrToIntTest, KeepsToThirtyTwoBits) {
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
  EXPECT_THROW(StrToInt("2147483648"), ConversionError);
  EXPECT_THROW(StrToInt("-2147483649"), ConversionError);
  EXPECT_THROW(StrToInt("$100000000"), ConversionError);
  EXPECT_THROW(StrToInt("99999999999999999999999"), ConversionError);
}

TEST(StrToIntTest, RefusesEverythingElseWithTheRuntimeText) {
  for (const char* bad :
       {"", " ", "12 ", "1 2", "-", "+", "$", "0x", "12a", "abc", "1.5", "--1", "\t3", "$G"}) {
    EXPECT_THROW(StrToInt(bad), ConversionError) << '[' << bad << ']';
  }
  EXPECT_EQ(ConversionMessage("12 "), "'12 ' is not a valid integer value");
  EXPECT_EQ(ConversionMessage(""), "'' is not a valid integer value");
}

TEST(RuntimeErrorTextTest, ListAndFileErrors) {
  EXPECT_STREQ(ListIndexError(3).what(), "List index out of bounds (3)");
  EXPECT_STREQ(FileError::CannotOpen("a.txt", "No such file or directory").what(),
               "Cannot open file \"a.txt\". No such file or directory");
  EXPECT_STREQ(FileError::CannotCreate("/x/b.txt", "Permission denied").what(),
               "Cannot create file \"/x/b.txt\". Permission denied");
}

// The errors met while reading a named file name it after the runtime's text,
// and are still caught by their type.
TEST(RuntimeErrorTextTest, ReadingAFileNamesItInItsErrors) {
  try {
    ReadingFile("lista.txt", [] { return StrToInt("9999999999"); });
    ADD_FAILURE() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'9999999999' is not a valid integer value in \"lista.txt\"");
    EXPECT_EQ(e.value(), "9999999999");
  }
  try {
    ReadingFile("grupos.txt", [] { throw ListIndexError(3); });
    ADD_FAILURE() << "no error";
  } catch (const ListIndexError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (3) in \"grupos.txt\"");
  }
  EXPECT_EQ(ReadingFile("x", [] { return 7; }), 7);
}

TEST(Cp1252Test, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

TEST(Cp1252Test, MapsTheWindowsRangeAndTheUndefinedBytes) {
  EXPECT_EQ(Cp1252ToUtf8("N\xE3o"), "Não");
  EXPECT_EQ(Utf8ToCp1252("Não"), std::string("\x4E\xE3\x6F"));
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "€");
  EXPECT_EQ(Cp1252ToUtf8("\x9F"), "Ÿ");
  EXPECT_EQ(Cp1252ToUtf8("\x93q\x94"), "“q”");
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");
  EXPECT_EQ(Cp1252ToUtf8("\x9D"), "\xC2\x9D");
  EXPECT_EQ(Utf8ToCp1252("horário €"), std::string("hor\xE1rio \x80"));
}

TEST(Cp1252Test, UnrepresentableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("a\xE2\x88\x9E"
                         "b"),
            "a?b");                                  // U+221E infinity
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");  // emoji
  EXPECT_EQ(Utf8ToCp1252("\xC2\x80"), "?");          // U+0080 has no byte
  EXPECT_EQ(Utf8ToCp1252("x\xE3y"), "x?y");          // stray lead byte
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");         // overlong '/'
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");    // surrogate
  EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");              // cut short
}

}  // namespace
}  // namespace zm48d::testing
