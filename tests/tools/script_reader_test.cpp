#include "tools/sim/script_reader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tools/sim/script_error.h"

namespace {

std::vector<ScriptLine> ReadAll(const std::string& text) {
  std::istringstream in(text);
  ScriptReader reader(in);
  std::vector<ScriptLine> lines;
  while (auto line = reader.Next()) lines.push_back(*line);
  return lines;
}

TEST(ScriptReader, SkipsBlankAndCommentLinesAndKeepsLineNumbers) {
  const auto lines = ReadAll("# first\n\n   \nstart\r\n  # indented comment\nwait 10\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Line(), 4);
  EXPECT_EQ(lines[0].Word(0), "start");
  EXPECT_EQ(lines[0].WordCount(), 1u);
  EXPECT_EQ(lines[1].Line(), 6);
  EXPECT_EQ(lines[1].Integer(1), 10);
}

TEST(ScriptReader, AWordStartingWithHashEndsTheWords) {
  const auto lines = ReadAll("wait 500   # let the poll tick\n");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].WordCount(), 2u);
  EXPECT_THROW((void)lines[0].Word(2), ScriptError);
}

struct FreeTextCase {
  const char* line;
  std::size_t index;
  std::string text;
};

TEST(ScriptReader, FreeTextKeepsBlanksAndHashesAndDecodesLineFeeds) {
  const FreeTextCase cases[] = {
      {"type sEdit1  10001 ", 2, " 10001 "},
      {"type sEdit1 a # b", 2, "a # b"},
      {"ini [ACCOUNT]\\nUserId=1\\n", 1, "[ACCOUNT]\nUserId=1\n"},
      {"page x a\\\\nb", 2, "a\\nb"},
      {"page x a\\tb", 2, "a\\tb"},
      {"type sEdit1", 2, ""},
      {"type sEdit1 ", 2, ""},
      {"ini", 1, ""},
  };
  for (const FreeTextCase& c : cases) {
    const auto lines = ReadAll(c.line);
    ASSERT_EQ(lines.size(), 1u) << c.line;
    EXPECT_EQ(lines[0].Text(c.index), c.text) << c.line;
  }
}

TEST(ScriptReader, IntegersMustBeWholeDecimalNumbers) {
  const auto lines = ReadAll("x 12 -3 4a 0x10 99999999999\n");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Integer(1), 12);
  EXPECT_EQ(lines[0].Integer(2), -3);
  EXPECT_THROW((void)lines[0].Integer(3), ScriptError);
  EXPECT_THROW((void)lines[0].Integer(4), ScriptError);
  EXPECT_EQ(lines[0].Integer(5), 99999999999);
}

}  // namespace
