// The tray icon's menu: where it shows, exit with the question, and the About box.

#include <gtest/gtest.h>

#include <string>

#include "tests/monitor/monitor_scenario.h"

namespace {

class TrayMenu : public MonitorScenario {};

TEST_F(TrayMenu, TheRightButtonsReleaseShowsTheMenuAtTheCursor) {
  StartInClient();
  Minimize();
  desktop.SetCursor({1210, 744});
  TrayNotice(WM_RBUTTONUP);
  EXPECT_EQ(CountEvents({"\"popup\"", "\"menu\":\"PopupMenu1\"", "\"x\":1210", "\"y\":744"}), 1);
}

struct ExitCase {
  int answer;
  bool ends;
};

class ExitItem : public TrayMenu, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitItem, AsksAndEndsOnlyOnYes) {
  StartInClient();
  Answer(GetParam().answer);
  application->Dispatch([this] { form->N1->Click(); });
  EXPECT_EQ(CountEvents({"\"messagebox\"", U8(u8"\"text\":\"\\n你确定要退出吗？\\n\""), "\"style\":4"}), 1);
  EXPECT_EQ(application->Terminated(), GetParam().ends);
  EXPECT_EQ(Inspect().FCloseMode(), 1);
}

INSTANTIATE_TEST_SUITE_P(Answers, ExitItem, ::testing::Values(ExitCase{IDYES, true}, ExitCase{IDNO, false}),
                         [](const auto& info) { return std::string(info.param.ends ? "Yes" : "No"); });

class AboutItem : public TrayMenu, public ::testing::WithParamInterface<bool> {};

TEST_P(AboutItem, ShowsTheVersionAtAnyStage) {
  if (GetParam()) {
    StartInClient();
  } else {
    Start();
    ASSERT_EQ(form->CppWebBrowser1->Tag, 1);
  }
  Answer(IDOK);
  application->Dispatch([this] { form->N2->Click(); });
  EXPECT_EQ(CountEvents({"\"messagebox\"",
                         U8(u8"\"text\":\"\\n\\n翔羚vor\\n\\n版本号1.00\\n\\n感谢使用翔羚vor短信客户端\""),
                         U8(u8"\"caption\":\"关于翔羚vor\""), "\"style\":64"}),
            1);
  EXPECT_FALSE(application->Terminated());
}

INSTANTIATE_TEST_SUITE_P(Stages, AboutItem, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "AfterLogin" : "BeforeLogin"); });

}  // namespace
