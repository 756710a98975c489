#include <gtest/gtest.h>

#include "platform/html/url.h"

namespace {

struct UrlCase {
  const char* base;
  const char* reference;
  const char* resolved;
};

class ResolveUrlCases : public ::testing::TestWithParam<UrlCase> {};

TEST_P(ResolveUrlCases, ResolvesAgainstThePageAddress) {
  EXPECT_EQ(ResolveUrl(GetParam().base, GetParam().reference), GetParam().resolved);
}

INSTANTIATE_TEST_SUITE_P(
    Url, ResolveUrlCases,
    ::testing::Values(
        UrlCase{"http://h/a/b?q", "https://o/x?y", "https://o/x?y"},
        UrlCase{"http://h/a/b", "HTTP://O/X", "HTTP://O/X"}, UrlCase{"https://h/a/b", "//o/x", "https://o/x"},
        UrlCase{"http://h:8080/a/b", "/x?y#z", "http://h:8080/x?y#z"}, UrlCase{"http://h/a/b", "c/d", "http://h/a/c/d"},
        UrlCase{"http://h/a/", "c", "http://h/a/c"}, UrlCase{"http://h/a/b?q=/x/y", "c", "http://h/a/c"},
        UrlCase{"http://h", "c", "http://h/c"}, UrlCase{"http://h?q", "c", "http://h/c"},
        UrlCase{"http://h/a/b/c", "../d", "http://h/a/d"}, UrlCase{"http://h/a/b", "./c/./d/..", "http://h/a/c/"},
        UrlCase{"http://h/a", "../../x", "http://h/x"}, UrlCase{"http://h/a/b?q#f", "?r", "http://h/a/b?r"},
        UrlCase{"http://h/a/b?q#f", "#g", "http://h/a/b?q#g"}, UrlCase{"http://h/a/b#f", "", "http://h/a/b"},
        UrlCase{"http://h/a/b", "  c \n", "http://h/a/c"}, UrlCase{"http://h/a/b", "about:blank", "about:blank"},
        UrlCase{"not absolute", "c", "c"}));

}  // namespace
