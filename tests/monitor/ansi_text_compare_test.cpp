// Comparing the page's wide texts with the program's 8-bit texts, as the conversion to the
// program's code page would compare them.

#include <gtest/gtest.h>

#include <string>

#include "monitor/ansi_text_compare.h"

namespace {

struct CompareCase {
  const char* name;
  WideString wide;
  AnsiString ansi;
  bool same;
};

class SameAnsiTextCases : public ::testing::TestWithParam<CompareCase> {};

TEST_P(SameAnsiTextCases, AgreesWithTheConversion) {
  const CompareCase& c = GetParam();
  EXPECT_EQ(SameAnsiText(c.wide, c.ansi), c.same);
  EXPECT_EQ(WideToAnsi(c.wide) == c.ansi, c.same);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SameAnsiTextCases,
    ::testing::Values(CompareCase{"EqualAscii", u"INPUT", "INPUT", true},
                      CompareCase{"LetterCaseDiffers", u"input", "INPUT", false},
                      CompareCase{"Prefix", u"INPU", "INPUT", false},
                      CompareCase{"Longer", u"INPUTS", "INPUT", false},
                      CompareCase{"BothEmpty", u"", "", true},
                      CompareCase{"DoubleByte", u"标记", "标记", true},
                      CompareCase{"DoubleByteDiffers", u"标志", "标记", false},
                      // A character the code page lacks becomes "?".
                      CompareCase{"UnmappableReadsAsQuestionMark", u"☃", "?", true},
                      CompareCase{"AsciiAgainstDoubleByte", u"ab", "新", false},
                      CompareCase{"AsciiThenDoubleByte", u"id新", "id新", true},
                      CompareCase{"AsciiDiffersBeforeDoubleByte", u"ie新", "id新", false},
                      CompareCase{"DoubleByteBeyondTheEnd", u"id新", "id", false},
                      // Bytes of the upper half are not the characters of the same number.
                      CompareCase{"HighByteIsNoLatinCharacter", u"\u00B1", "\xB1", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
