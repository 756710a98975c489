#include <gtest/gtest.h>

#include <climits>

#include "platform/exceptions.h"
#include "platform/text.h"

namespace {

TEST(Text, PositionsAreOneBasedAndSubStringStopsAtTheEnd) {
  const AnsiString text = "1.00|u|60";
  EXPECT_EQ(text.Pos("|"), 5);
  EXPECT_EQ(text.Pos("x"), 0);
  EXPECT_EQ(text.SubString(1, 4), "1.00");
  EXPECT_EQ(text.SubString(6, 100), "u|60");
  EXPECT_EQ(text.SubString(10, 1), "");
  EXPECT_EQ(text.SubString(3, 0), "");
  EXPECT_EQ(text.SubString(3, -2), "");
}

TEST(Text, CodePageRoundTripKeepsChineseText) {
  const AnsiString caption = "翔羚vor登陆";  // compiled as code-page-936 bytes
  EXPECT_EQ(caption.bytes(), std::string("\xCF\xE8\xC1\xE7vor\xB5\xC7\xC2\xBD"));
  EXPECT_EQ(AnsiToWide(caption), u"翔羚vor登陆");
  EXPECT_EQ(WideToAnsi(u"翔羚vor登陆"), caption);
  EXPECT_EQ(AnsiToUtf8(caption), reinterpret_cast<const char*>(u8"翔羚vor登陆"));
  EXPECT_EQ(Utf8ToAnsi(reinterpret_cast<const char*>(u8"短信")), AnsiString("短信"));
}

TEST(Text, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(WideToAnsi(u"a\u0E01b"), "a?b");                    // Thai has no place in 936
  EXPECT_EQ(WideToAnsi(std::u16string(u"x") + char16_t(0xD800) + u"y"), "x?y");  // lone surrogate
}

TEST(Text, InvalidBytesDecodeToReplacementCharacters) {
  EXPECT_EQ(AnsiToWide(AnsiString("a\xFF")), u"a\uFFFD");
  EXPECT_EQ(DecodeCharset("caf\xC3\xA9", "utf-8"), u"café");
  EXPECT_EQ(DecodeCharset("\xB6\xCC\xD0\xC5", "gb2312"), u"短信");
  EXPECT_EQ(DecodeCharset("\xB6\xCC\xD0\xC5", "no-such-charset"), u"短信");
}

TEST(Text, TrimRemovesBlanksAndControlBytesOnly) {
  EXPECT_EQ(Trim(" \t\r\n 12 3\x01 "), "12 3");
  EXPECT_EQ(Trim("\x1F\x20"), "");
  EXPECT_EQ(Trim("密码"), "密码");  // bytes above 0x20 stay, high bytes included
}

TEST(Text, UpperCasingLeavesDoubleByteCharactersAlone) {
  EXPECT_EQ(AnsiUpperCase("true"), "TRUE");
  EXPECT_EQ(AnsiUpperCase("tRuE|x"), "TRUE|X");
  // 0x81 0x61 is one double-byte character whose trail byte looks like "a".
  EXPECT_EQ(AnsiUpperCase(AnsiString("\x81" "a" "b")), AnsiString("\x81" "a" "B"));
  EXPECT_EQ(AnsiUpperCase("登陆ok"), AnsiString("登陆OK"));
}

struct IntCase {
  const char* text;
  int value;
};

class StrToIntAccepts : public ::testing::TestWithParam<IntCase> {};

TEST_P(StrToIntAccepts, Number) { EXPECT_EQ(StrToInt(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Text, StrToIntAccepts,
                         ::testing::Values(IntCase{"60", 60}, IntCase{"  60", 60}, IntCase{"-5", -5},
                                           IntCase{"+7", 7}, IntCase{"0", 0}, IntCase{"007", 7},
                                           IntCase{"$1F", 31}, IntCase{"0x10", 16}, IntCase{"-$10", -16},
                                           IntCase{"2147483647", INT_MAX}, IntCase{"-2147483648", INT_MIN}));

class StrToIntRefuses : public ::testing::TestWithParam<const char*> {};

TEST_P(StrToIntRefuses, WithTheMessageNamingTheText) {
  const AnsiString text = GetParam();
  try {
    (void)StrToInt(text);
    FAIL() << "accepted " << text.bytes();
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "'" + text + "' is not a valid integer value");
  }
}

INSTANTIATE_TEST_SUITE_P(Text, StrToIntRefuses,
                         ::testing::Values("", " ", "60 ", "6 0", "30|x", "u", "-", "$", "0x", "1e3", "2147483648",
                                           "-2147483649", "99999999999999999999", "\xB6\xCC"));

TEST(Text, FormatMessageFillsThePlaceholder) {
  EXPECT_EQ(FormatMessage("Invalid data type for '%s'", "UserId"), "Invalid data type for 'UserId'");
  EXPECT_EQ(FormatMessage("no placeholder", "x"), "no placeholder");
}

}  // namespace
