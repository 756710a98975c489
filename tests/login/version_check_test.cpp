// The parameters reply at start: the poll interval, the version check and its update path.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/program_fixture.h"

namespace {

constexpr UINT kTimerDefault = 1000;  // Timer1's interval before any reply

class VersionCheck : public ProgramFixture {
 protected:
  void StartWithParameters(const std::string& reply) {
    ServeEndpoint("client_get_param", reply);
    Start();
  }
  [[nodiscard]] int Boxes() const { return CountEvents({"\"messagebox\""}) + CountEvents({"\"showmessage\""}); }
};

TEST_F(VersionCheck, CurrentVersionEnablesLoginSetsThePollAndLoadsTheAccount) {
  desktop.Hive().SetString("\\Software\\xiangling", "UserId", "42");
  StartWithParameters("1.00|http://u/x|60");
  EXPECT_TRUE(form->sBitBtn1->Enabled);
  EXPECT_EQ(form->Timer1->Interval(), 60000u);
  EXPECT_EQ(form->sEdit1->Text, "42");
  EXPECT_EQ(Boxes(), 0);
  EXPECT_EQ(CountEvents({"\"shell_open\""}), 0);
  EXPECT_FALSE(application->Terminated());
}

TEST_F(VersionCheck, EmptyUpdateAddressStillLogsIn) {
  StartWithParameters("1.00||30");
  EXPECT_TRUE(form->sBitBtn1->Enabled);
  EXPECT_EQ(form->Timer1->Interval(), 30000u);
}

class PageWithoutSeparator : public VersionCheck, public ::testing::WithParamInterface<const char*> {};

TEST_P(PageWithoutSeparator, ChangesNothing) {
  desktop.Hive().SetString("\\Software\\xiangling", "UserId", "42");
  StartWithParameters(GetParam());
  EXPECT_FALSE(form->sBitBtn1->Enabled);
  EXPECT_EQ(form->Timer1->Interval(), kTimerDefault);
  EXPECT_EQ(form->sEdit1->Text, "");
  EXPECT_EQ(Boxes() + CountEvents({"\"error\""}), 0);
  EXPECT_EQ(form->CppWebBrowser1->Tag, 1);
}

INSTANTIATE_TEST_SUITE_P(Replies, PageWithoutSeparator, ::testing::Values("", "1.00", "1.00 U 60"));

struct BadIntervalCase {
  std::string reply;
  std::string named;  // the text the error box names
};

class BadInterval : public VersionCheck, public ::testing::WithParamInterface<BadIntervalCase> {};

TEST_P(BadInterval, ShowsTheErrorAndStopsBeforeTheVersion) {
  desktop.Hive().SetString("\\Software\\xiangling", "UserId", "42");
  Answer(IDOK);
  StartWithParameters(GetParam().reply);
  EXPECT_EQ(CountEvents({"\"error\"", "\"text\":\"'" + GetParam().named + "' is not a valid integer value\""}), 1);
  EXPECT_FALSE(form->sBitBtn1->Enabled);
  EXPECT_EQ(form->Timer1->Interval(), kTimerDefault);
  EXPECT_EQ(form->sEdit1->Text, "");
  EXPECT_EQ(Boxes(), 0);
  EXPECT_FALSE(application->Terminated());
}

const std::string kThousandsOfDigits(4000, '9');

INSTANTIATE_TEST_SUITE_P(Replies, BadInterval,
                         ::testing::Values(BadIntervalCase{"1.00|U", "U"}, BadIntervalCase{"1.00|U|30|x", "30|x"},
                                           BadIntervalCase{"1.00|U|", ""},
                                           BadIntervalCase{"1.01|U|sixty", "sixty"},
                                           BadIntervalCase{"1.00|U|" + kThousandsOfDigits, kThousandsOfDigits}));

struct ClampCase {
  std::string seconds;
  UINT ms;
};

class IntervalClamp : public VersionCheck, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(IntervalClamp, HoldsThePollWithinTheTimerRange) {
  StartWithParameters("1.00|http://u/x|" + GetParam().seconds);
  EXPECT_EQ(form->Timer1->Interval(), GetParam().ms);
  EXPECT_TRUE(form->sBitBtn1->Enabled);
}

INSTANTIATE_TEST_SUITE_P(Replies, IntervalClamp,
                         ::testing::Values(ClampCase{"-5", 0u}, ClampCase{"-2147483648", 0u},
                                           ClampCase{"2147483", 2147483000u}, ClampCase{"2147484", 2147483647u},
                                           ClampCase{"2147483647", 2147483647u}, ClampCase{" +7", 7000u}));

struct UpdateCase {
  std::string version;
  std::string address;
  bool opened;
};

class UpdatePath : public VersionCheck, public ::testing::WithParamInterface<UpdateCase> {};

TEST_P(UpdatePath, ShowsTheNoticeOpensOnlyWebAddressesAndAsksToClose) {
  desktop.Hive().SetString("\\Software\\xiangling", "UserId", "42");
  Answer(IDOK);  // the notice
  Answer(IDNO);  // the close question
  StartWithParameters(GetParam().version + "|" + GetParam().address + "|60");
  EXPECT_EQ(form->Timer1->Interval(), 60000u);
  EXPECT_EQ(CountEvents({"\"messagebox\"", U8(u8"\"text\":\"有新版本，需要更新...\""), U8(u8"\"caption\":\"版本更新\""),
                         "\"style\":64"}),
            1);
  EXPECT_EQ(CountEvents({"\"shell_open\"", "\"operation\":\"open\"", "\"file\":\"" + GetParam().address + "\"",
                         "\"show\":5"}),
            GetParam().opened ? 1 : 0);
  EXPECT_EQ(CountEvents({"\"shell_open\""}), GetParam().opened ? 1 : 0);
  EXPECT_EQ(CountEvents({"\"messagebox\"", U8(u8"你确定要退出吗？")}), 1);
  // The notice comes before the shell and the question after it.
  const auto& lines = desktop.Transcript();
  std::vector<std::string> order;
  for (const std::string& line : lines) {
    if (line.find("\"messagebox\"") != std::string::npos || line.find("\"shell_open\"") != std::string::npos) {
      order.push_back(line.find(U8(u8"版本更新")) != std::string::npos ? "notice"
                      : line.find("shell_open") != std::string::npos    ? "open"
                                                                        : "question");
    }
  }
  const std::vector<std::string> expected =
      GetParam().opened ? std::vector<std::string>{"notice", "open", "question"}
                        : std::vector<std::string>{"notice", "question"};
  EXPECT_EQ(order, expected);
  EXPECT_FALSE(application->Terminated());
  EXPECT_FALSE(form->sBitBtn1->Enabled);
  EXPECT_EQ(form->sEdit1->Text, "");  // the account is not loaded in this run
  EXPECT_EQ(Inspect().FCloseMode(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, UpdatePath,
    ::testing::Values(UpdateCase{"1.01", "http://u/x", true}, UpdateCase{"1.0", "http://u/x", true},
                      UpdateCase{"0.99", "HTTPS://U/new", true}, UpdateCase{"1.00 ", "http://u/x", true},
                      UpdateCase{"1.01", "file:///x", false}, UpdateCase{"1.01", "calc.exe", false},
                      UpdateCase{"1.01", "", false}));

TEST_F(VersionCheck, YesToTheCloseQuestionEndsTheProgram) {
  Answer(IDOK);
  Answer(IDYES);
  StartWithParameters("1.01|http://u/x|60");
  EXPECT_TRUE(application->Terminated());
}

}  // namespace
