#include <gtest/gtest.h>

#include <climits>

#include "login/parameter_values.h"

namespace {

struct IntervalCase {
  int seconds;
  UINT ms;
};

class PollIntervalTable : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(PollIntervalTable, IsSecondsTimesThousandClampedToTheTimerRange) {
  EXPECT_EQ(PollIntervalMs(GetParam().seconds), GetParam().ms);
}

INSTANTIATE_TEST_SUITE_P(
    Intervals, PollIntervalTable,
    ::testing::Values(IntervalCase{60, 60000u}, IntervalCase{0, 0u}, IntervalCase{1, 1000u},
                      IntervalCase{2147483, 2147483000u},     // the longest that fits
                      IntervalCase{2147484, 2147483647u},     // one second more is held at the maximum
                      IntervalCase{INT_MAX, 2147483647u}, IntervalCase{-1, 0u}, IntervalCase{INT_MIN, 0u}));

struct AddressCase {
  const char* address;
  bool web;
};

class WebAddressTable : public ::testing::TestWithParam<AddressCase> {};

TEST_P(WebAddressTable, OnlyHttpAndHttpsInAnyCaseMayBeOpened) {
  EXPECT_EQ(IsWebAddress(GetParam().address), GetParam().web) << GetParam().address;
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, WebAddressTable,
    ::testing::Values(AddressCase{"http://u/x", true}, AddressCase{"https://u/x", true},
                      AddressCase{"HTTP://U/X", true}, AddressCase{"hTtPs://u", true}, AddressCase{"http://", true},
                      AddressCase{"file:///x", false}, AddressCase{"calc.exe", false}, AddressCase{"", false},
                      AddressCase{" http://u", false}, AddressCase{"http:/u", false}, AddressCase{"httpx://u", false},
                      AddressCase{"ftp://u", false}, AddressCase{"javascript:alert(1)", false},
                      AddressCase{"http", false}, AddressCase{"\\\\server\\share\\setup.exe", false}));

}  // namespace
