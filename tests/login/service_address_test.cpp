#include <gtest/gtest.h>

#include <string>

#include "login/service_address.h"

namespace {

TEST(ServiceBase, IsPlainHttpOnOneHostUnderTheLoginPath) {
  const std::string base = ServiceBase().bytes();
  const std::string scheme = "http://";
  const std::string path = "/ringpost_v2/index.php/Login/";
  ASSERT_GT(base.size(), scheme.size() + path.size());
  EXPECT_TRUE(base.starts_with(scheme)) << base;
  EXPECT_TRUE(base.ends_with(path)) << base;
  const std::string host = base.substr(scheme.size(), base.size() - scheme.size() - path.size());
  EXPECT_EQ(host.find('/'), std::string::npos) << host;
}

struct EncodeCase {
  std::string value;
  std::string encoded;
};

class PercentEncodeTable : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(PercentEncodeTable, KeepsUnreservedBytesAndEscapesTheRestInUpperCaseHex) {
  EXPECT_EQ(PercentEncode(AnsiString(GetParam().value)).bytes(), GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PercentEncodeTable,
    ::testing::Values(EncodeCase{"", ""},
                      EncodeCase{"AZaz09-._~", "AZaz09-._~"},
                      EncodeCase{"a b", "a%20b"},
                      EncodeCase{"&=#+?/%", "%26%3D%23%2B%3F%2F%25"},
                      EncodeCase{std::string("\0\x1F\x7F", 3), "%00%1F%7F"},
                      EncodeCase{"\x80\xFE\xFF", "%80%FE%FF"},
                      EncodeCase{"号", "%BA%C5"}));

}  // namespace
