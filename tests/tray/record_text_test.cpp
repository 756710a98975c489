#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "tray/record_text.h"

namespace {

struct BoundaryCase {
  std::string text;
  std::size_t limit;
  std::size_t expected;
  friend void PrintTo(const BoundaryCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.text) << " within " << c.limit;
  }
};

class WholeCharacters : public ::testing::TestWithParam<BoundaryCase> {};

TEST_P(WholeCharacters, NeverSplitADoubleByteCharacter) {
  EXPECT_EQ(WholeCharactersWithin(GetParam().text, GetParam().limit), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tray, WholeCharacters,
    ::testing::Values(BoundaryCase{"", 5, 0}, BoundaryCase{"abc", 5, 3}, BoundaryCase{"abc", 2, 2},
                      BoundaryCase{"abc", 0, 0},
                      BoundaryCase{"a短", 2, 1},              // the lead byte would be cut from its trail
                      BoundaryCase{"a短", 3, 3}, BoundaryCase{"短信", 3, 2},
                      // A trail byte may look like ASCII or like a lead byte; it still belongs
                      // to the character before it.
                      BoundaryCase{"\x81\x40\x81\x81x", 3, 2}, BoundaryCase{"\x81\x81\x81\x81", 4, 4},
                      BoundaryCase{"\xFE\xFEx", 1, 0}, BoundaryCase{"\x80\xFFx", 2, 2},
                      // A lead byte with nothing after it stands alone.
                      BoundaryCase{"ab\x81", 3, 3}));

TEST(RecordField, CopyIsTerminatedAndClearsWhatWasThereBefore) {
  char field[8];
  std::fill(std::begin(field), std::end(field), 'z');
  CopyToRecordField(field, "abcdefghij");
  EXPECT_EQ(std::string(field, sizeof field), std::string("abcdefg\0", 8));
  CopyToRecordField(field, "ab短信x");
  EXPECT_EQ(std::string(field, sizeof field), std::string("ab\xB6\xCC\xD0\xC5x\0", 8));
  CopyToRecordField(field, "abcd短信");
  EXPECT_EQ(std::string(field, sizeof field), std::string("abcd\xB6\xCC\0\0", 8));
}

}  // namespace
