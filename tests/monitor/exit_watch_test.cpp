// The exit watch: the page's request to quit closes the program without a question, and
// pages without the field are no request.

#include <gtest/gtest.h>

#include <string>

#include "tests/monitor/monitor_scenario.h"

namespace {

class ExitWatch : public MonitorScenario, public ::testing::WithParamInterface<bool> {};

TEST_P(ExitWatch, ARequestClosesWithinOneTickWithoutAQuestion) {
  StartInClient();
  if (GetParam()) Minimize();
  SetField(u"client_exit", u"1");
  Settle(3000);
  EXPECT_TRUE(application->Terminated());
  EXPECT_EQ(Inspect().FCloseMode(), 2);
  EXPECT_EQ(CloseQuestions(), 0);
  EXPECT_EQ(FieldValues(u"client_exit"), std::vector<WideString>{u"0"});
  application.reset();
  EXPECT_TRUE(desktop.Icons().empty());
}

INSTANTIATE_TEST_SUITE_P(Window, ExitWatch, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "InTheTray" : "Shown"); });

struct PageCase {
  const char* name;
  const char* page;
};

class PageWithoutMarkers : public MonitorScenario, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PageWithoutMarkers, NeitherClosesNorAnnounces) {
  StartInClient(GetParam().page);
  Minimize();
  Settle(15000);
  EXPECT_FALSE(application->Terminated());
  EXPECT_EQ(NewMessageBalloons(), 0);
  EXPECT_EQ(CloseQuestions(), 0);
  EXPECT_EQ(ErrorBoxes(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PageWithoutMarkers,
    ::testing::Values(PageCase{"ErrorPage", "<p>error</p>"}, PageCase{"EmptyPage", ""},
                      PageCase{"OtherTagsCarryTheIds",
                               R"(<div id="client_exit">1</div><textarea id="client_new_msg">3</textarea>)"},
                      // Fields that are there but empty read like absent ones.
                      PageCase{"EmptyFields", R"(<input id="client_new_msg"><input id="client_exit">)"}),
    [](const auto& info) { return std::string(info.param.name); });

class ExitDuringCloseQuestion : public MonitorScenario {};

TEST_F(ExitDuringCloseQuestion, TheQuietCloseWinsOnceAndTheLateNoChangesNothing) {
  StartInClient();
  SetField(u"client_exit", u"1");
  Answer(IDNO, 5000);
  application->Dispatch([this] { form->N1->Click(); });
  EXPECT_TRUE(application->Terminated());
  EXPECT_EQ(CloseQuestions(), 1);
  EXPECT_EQ(Inspect().FCloseMode(), 2);
  EXPECT_EQ(ErrorBoxes(), 0);
  Settle(6000);
  EXPECT_EQ(CloseQuestions(), 1);
  application.reset();
  EXPECT_TRUE(desktop.Icons().empty());
}

class PageFault : public MonitorScenario {
 protected:
  static constexpr const char* kDataAddress = "http://client.test/data";

  // The web client moves on to a reply that is no page, which a viewer shows: its document
  // has no elements for the late-bound walk to reach.
  void ShowReplyThatIsNoPage() {
    desktop.WebPages().Serve(kDataAddress, "{\"client_exit\":1}", "application/json");
    form->CppWebBrowser1->Navigate(Utf8ToWide(kDataAddress));
    Settle();
    ASSERT_NE(form->CppWebBrowser1->Document(), nullptr);
  }
  [[nodiscard]] int AutomationErrors() const { return CountEvents({"\"event\":\"error\"", "all"}); }
};

TEST_F(PageFault, EveryTickReportsTheAutomationErrorAndTheTimersGoOn) {
  StartInClient();
  ShowReplyThatIsNoPage();
  // Discarding the count on the way to the tray fails the same way.
  Answer(IDOK);
  Minimize();
  EXPECT_EQ(AutomationErrors(), 1);
  // Fifteen seconds: five ticks of the exit watch and three of the poll, each one a box.
  for (int box = 0; box < 8; ++box) Answer(IDOK);
  Settle(15000);
  EXPECT_EQ(AutomationErrors(), 9);
  EXPECT_EQ(ErrorBoxes(), 9);
  EXPECT_TRUE(form->Timer1->Enabled());
  EXPECT_TRUE(form->Timer2->Enabled());
  EXPECT_FALSE(application->Terminated());

  // Once the web client shows its page again, the watch works as before.
  form->CppWebBrowser1->Navigate(Utf8ToWide(kClientAddress));
  Settle();
  SetField(u"client_exit", u"1");
  Settle(3000);
  EXPECT_TRUE(application->Terminated());
  EXPECT_EQ(ErrorBoxes(), 9);
}

}  // namespace
