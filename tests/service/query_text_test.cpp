// How the service takes a query string apart.

#include <gtest/gtest.h>

#include "tools/service/query_text.h"

namespace {

struct DecodeCase {
  const char* name;
  std::string query;
  std::optional<QueryParams> expected;
};

void PrintTo(const DecodeCase& c, std::ostream* out) { *out << c.name; }

class QueryDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(QueryDecoding, DecodesEveryPieceOrRefusesTheWholeQuery) {
  EXPECT_EQ(DecodeQuery(GetParam().query), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QueryDecoding,
    ::testing::Values(
        DecodeCase{"Empty", "", QueryParams{}},
        DecodeCase{"KeepsOrder", "b=2&a=1", QueryParams{{"b", "2"}, {"a", "1"}}},
        DecodeCase{"BlanksStayInTheValue", "userid=%2010001%20", QueryParams{{"userid", " 10001 "}}},
        DecodeCase{"EncodedSeparatorsAreData", "n=a%26b%3Dc%23", QueryParams{{"n", "a&b=c#"}}},
        DecodeCase{"PlusIsAPlus", "n=a+b", QueryParams{{"n", "a+b"}}},
        DecodeCase{"BothHexCases", "n=%d5%C5", QueryParams{{"n", "\xD5\xC5"}}},
        DecodeCase{"OnlyTheFirstEqualsSplits", "k=1=2", QueryParams{{"k", "1=2"}}},
        DecodeCase{"KeyWithoutValue", "flag&x=", QueryParams{{"flag", ""}, {"x", ""}}},
        DecodeCase{"EmptyPiecesAreSkipped", "&&a=1&", QueryParams{{"a", "1"}}},
        DecodeCase{"NotHex", "a=%zz", std::nullopt},
        DecodeCase{"CutShort", "a=%4", std::nullopt},
        DecodeCase{"LonePercentInKey", "%=1", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QueryValues, AKeyGivenTwiceHasNoSingleValue) {
  const QueryParams params{{"a", "1"}, {"b", "2"}, {"a", "3"}};
  EXPECT_TRUE(Repeated(params, "a"));
  EXPECT_FALSE(Repeated(params, "b"));
  EXPECT_EQ(SingleValue(params, "a"), std::nullopt);
  EXPECT_EQ(SingleValue(params, "b"), "2");
  EXPECT_EQ(SingleValue(params, "c"), std::nullopt);
}

}  // namespace
