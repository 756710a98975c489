// The text of the new-message balloon, and how a count too long for the shell is cut.

#include <gtest/gtest.h>

#include <string>

#include "monitor/balloon_text.h"

namespace {

const std::string kLead = "  您有";
const std::string kTail = "条新短信!\n\n单击此气球查看新短信";

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

struct BalloonCase {
  const char* name;
  std::string count;
  std::string kept;  // the part of the count that the balloon shows
};

class BalloonText : public ::testing::TestWithParam<BalloonCase> {};

TEST_P(BalloonText, KeepsTheSentenceWholeAndCutsTheCountAtACharacter) {
  const AnsiString text = NewMessageBalloonText(GetParam().count);
  EXPECT_EQ(text.bytes(), kLead + GetParam().kept + kTail);
  // The shell's text field holds 255 bytes before its terminating zero.
  EXPECT_LE(text.Length(), 255);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, BalloonText,
    ::testing::Values(BalloonCase{"Plain", "12", "12"},
                      BalloonCase{"FixedPartsTake37Bytes", "", ""},
                      BalloonCase{"LineFeedsStay", "3\n4", "3\n4"},
                      BalloonCase{"ExactlyFits", Repeat("9", 218), Repeat("9", 218)},
                      BalloonCase{"OneByteTooMany", Repeat("9", 219), Repeat("9", 218)},
                      BalloonCase{"DoubleByteFitsEvenly", Repeat("新", 150), Repeat("新", 109)},
                      // 1 + 108 characters take 217 bytes; the 109th would reach 219.
                      BalloonCase{"DoubleByteIsNeverSplit", std::string("1").append(Repeat("新", 150)),
                                  std::string("1").append(Repeat("新", 108))}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
