#include <gtest/gtest.h>

#include <string>

#include "login/reply_fields.h"

namespace {

struct SplitCase {
  const char* name;
  std::string text;
  bool separated;
  std::string before;
  std::string after;
};

class SplitAtFirstSeparatorTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitAtFirstSeparatorTable, CutsAtTheFirstByte124) {
  const SplitFields fields = SplitAtFirstSeparator(AnsiString(GetParam().text));
  EXPECT_EQ(fields.separated, GetParam().separated);
  EXPECT_EQ(fields.before.bytes(), GetParam().before);
  EXPECT_EQ(fields.after.bytes(), GetParam().after);
}

const std::string kLongDigits(5000, '9');
const std::string kLongTail(3000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Replies, SplitAtFirstSeparatorTable,
    ::testing::Values(SplitCase{"Empty", "", false, "", ""},
                      SplitCase{"NoSeparator", "abc", false, "", "abc"},
                      SplitCase{"OneSeparator", "a|b", true, "a", "b"},
                      SplitCase{"OnlySeparator", "|", true, "", ""},
                      SplitCase{"LeadingSeparator", "|x", true, "", "x"},
                      SplitCase{"TrailingSeparator", "x|", true, "x", ""},
                      SplitCase{"ManySeparatorsStayAfter", "a||b|c", true, "a", "|b|c"},
                      SplitCase{"BinaryBytes", std::string("\0\x01|\xFF\0", 5), true, std::string("\0\x01", 2),
                                std::string("\xFF\0", 2)},
                      // "亅" is the code-page-936 pair 0x81 0x7C: it is cut at its trail byte.
                      SplitCase{"DoubleByteTrail124", "亅x", true, "\x81", "x"},
                      SplitCase{"ThousandsOfBytes", kLongDigits + "|" + kLongTail, true, kLongDigits, kLongTail}),
    [](const auto& info) { return std::string(info.param.name); });

struct ParametersCase {
  const char* name;
  std::string text;
  bool isReply;
  std::string version;
  std::string updateAddress;
  std::string seconds;
};

class ParametersReplyTable : public ::testing::TestWithParam<ParametersCase> {};

TEST_P(ParametersReplyTable, GivesVersionAddressAndSeconds) {
  const std::optional<ParametersReply> reply = ParseParametersReply(AnsiString(GetParam().text));
  ASSERT_EQ(reply.has_value(), GetParam().isReply);
  if (!reply) return;
  EXPECT_EQ(reply->version.bytes(), GetParam().version);
  EXPECT_EQ(reply->updateAddress.bytes(), GetParam().updateAddress);
  EXPECT_EQ(reply->seconds.bytes(), GetParam().seconds);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ParametersReplyTable,
    ::testing::Values(ParametersCase{"ThreeFields", "1.00|http://u/x|60", true, "1.00", "http://u/x", "60"},
                      ParametersCase{"TwoFieldsLeaveTheAddressEmpty", "1.00|U", true, "1.00", "", "U"},
                      ParametersCase{"EmptyAddress", "1.00||30", true, "1.00", "", "30"},
                      ParametersCase{"FourthFieldStaysInSeconds", "1.00|U|30|x", true, "1.00", "U", "30|x"},
                      ParametersCase{"OnlySeparators", "||", true, "", "", ""},
                      ParametersCase{"EmptyIsNoReply", "", false, "", "", ""},
                      ParametersCase{"NoSeparatorIsNoReply", "1.00", false, "", "", ""},
                      ParametersCase{"DoubleByteTrail124InVersion", "亅|U|60", true, "\x81", "", "U|60"},
                      ParametersCase{"LongFields", kLongDigits + "|U|" + kLongDigits, true, kLongDigits, "U",
                                     kLongDigits}),
    [](const auto& info) { return std::string(info.param.name); });

struct LoginCase {
  const char* name;
  std::string text;
  bool separated;
  std::string result;
  std::string detail;
  bool success;
};

class LoginReplyTable : public ::testing::TestWithParam<LoginCase> {};

TEST_P(LoginReplyTable, GivesResultDetailAndSuccess) {
  const LoginReply reply = ParseLoginReply(AnsiString(GetParam().text));
  EXPECT_EQ(reply.separated, GetParam().separated);
  EXPECT_EQ(reply.result.bytes(), GetParam().result);
  EXPECT_EQ(reply.detail.bytes(), GetParam().detail);
  EXPECT_EQ(IsLoginSuccess(reply), GetParam().success);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, LoginReplyTable,
    ::testing::Values(LoginCase{"UpperTrue", "TRUE|http://w/", true, "TRUE", "http://w/", true},
                      LoginCase{"LowerTrue", "true|W", true, "true", "W", true},
                      LoginCase{"MixedTrue", "tRuE|W", true, "tRuE", "W", true},
                      LoginCase{"BlanksAroundTrueFail", " TRUE |W", true, " TRUE ", "W", false},
                      LoginCase{"False", "FALSE|R", true, "FALSE", "R", false},
                      LoginCase{"FurtherSeparatorsStayInDetail", "FALSE|R|S", true, "FALSE", "R|S", false},
                      LoginCase{"NoSeparatorGivesAnEmptyResult", "TRUE", false, "", "TRUE", false},
                      LoginCase{"Empty", "", false, "", "", false},
                      LoginCase{"DoubleByteTrail124", "亅TRUE", true, "\x81", "TRUE", false},
                      LoginCase{"LongDetail", "FALSE|" + kLongTail, true, "FALSE", kLongTail, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
