#include <gtest/gtest.h>

#include "app/vor_main.h"
#include "tests/support/program_fixture.h"

namespace {

class Startup : public ProgramFixture {};

TEST_F(Startup, ConstructionShowsTheWaitingLoginWindow) {
  // The pages are still on their way while the window first shows.
  desktop.WebPages().SetLatency(1000);
  Start();
  EXPECT_EQ(form->Caption, "翔羚vor登陆");
  EXPECT_EQ(form->ClientWidth, 305);
  EXPECT_EQ(form->ClientHeight, 222);
  EXPECT_EQ(form->sLabel3->Caption, "系统初始化中...");
  EXPECT_FALSE(form->sBitBtn1->Enabled);
  EXPECT_EQ(form->CppWebBrowser2->Width, 0);
  EXPECT_TRUE(form->BorderIcons.biSystemMenu);
  EXPECT_FALSE(form->BorderIcons.biMinimize);
  EXPECT_FALSE(form->BorderIcons.biMaximize);
  FormInspector fields = Inspect();
  EXPECT_EQ(fields.FVersion(), "1.00");
  EXPECT_EQ(fields.FAutoRun(), "0");
  EXPECT_EQ(fields.FNonce(), "");
  EXPECT_EQ(fields.FSavedUserId(), "");
  EXPECT_EQ(fields.FSavedPassword(), "");
  EXPECT_EQ(fields.FCloseMode(), 1);
  EXPECT_EQ(fields.FActiveObject(), nullptr);
  EXPECT_EQ(form->CppWebBrowser1->Tag, 1);
  const std::string base = AnsiToUtf8(ServiceBase());
  EXPECT_EQ(CountEvents({"\"navigate\"", "CppWebBrowser1", base + "client_get_param\"", "\"stage\":1"}), 1);
  EXPECT_EQ(CountEvents({"\"navigate\"", "CppWebBrowser2", base + "client_login_ad\""}), 1);
  EXPECT_EQ(CountEvents({"\"shell_notify\"", "\"op\":\"add\"", "\"ok\":true", "\"cbSize\":488", "\"uFlags\":27",
                         "\"uCallbackMessage\":1025", "\"dwState\":2", "\"dwStateMask\":0", "\"dwInfoFlags\":1"}),
            1);
  EXPECT_EQ(desktop.Icons().size(), 1u);
}

struct CentringCase {
  int screen_width;
  int screen_height;
  int left;
  int top;
};

class Centring : public ProgramFixture, public ::testing::WithParamInterface<CentringCase> {};

TEST_P(Centring, UsesTheOuterSizeAndTruncatesTowardZero) {
  desktop.SetScreen(GetParam().screen_width, GetParam().screen_height);
  Start();
  EXPECT_EQ(form->Width(), 305 + 2 * SimDesktop::kFrame.border);
  EXPECT_EQ(form->Height(), 222 + SimDesktop::kFrame.caption + 2 * SimDesktop::kFrame.border);
  EXPECT_EQ(form->Left, GetParam().left);
  EXPECT_EQ(form->Top, GetParam().top);
}

// The outer window is 311 x 250 on the simulated desktop.
INSTANTIATE_TEST_SUITE_P(Startup, Centring,
                         ::testing::Values(CentringCase{1366, 768, 527, 259}, CentringCase{1366, 969, 527, 359},
                                           CentringCase{308, 250, -1, 0}, CentringCase{300, 240, -5, -5},
                                           CentringCase{1920, 1080, 804, 415}));

class CloseQuery : public ProgramFixture {};

TEST_F(CloseQuery, NoKeepsEverythingAndYesEndsTheApplication) {
  Start();
  Answer(IDNO);
  form->Close();
  EXPECT_FALSE(application->Terminated());
  EXPECT_EQ(Inspect().FCloseMode(), 1);
  EXPECT_EQ(CountEvents({"\"messagebox\"", U8(u8"\\n你确定要退出吗？\\n"), U8(u8"系统退出提醒"), "\"style\":4"}), 1);
  Answer(IDYES);
  form->Close();
  EXPECT_TRUE(application->Terminated());
}

TEST_F(CloseQuery, OnlyModeTwoClosesWithoutAsking) {
  Start();
  for (int mode : {0, 1}) {
    Inspect().SetCloseMode(mode);
    Answer(IDNO);
    form->Close();
    EXPECT_FALSE(application->Terminated()) << "mode " << mode;
  }
  Inspect().SetCloseMode(2);
  form->Close();
  EXPECT_TRUE(application->Terminated());
  EXPECT_EQ(CountEvents({"\"messagebox\""}), 2);
}

TEST_F(CloseQuery, TheSessionEndQueryAsksTheSameQuestion) {
  Start();
  Answer(IDNO);
  EXPECT_EQ(application->Loop().SendMessage(form->Handle(), WM_QUERYENDSESSION), 0);
  Answer(IDYES);
  EXPECT_EQ(application->Loop().SendMessage(form->Handle(), WM_QUERYENDSESSION), 1);
}

TEST(ProcessEntry, ARefusedTrayIconEndsTheProgramSilentlyWithZero) {
  SimDesktop desktop;
  desktop.SetShellRefusal(SimDesktop::ShellRefusal::srAdd);
  desktop.SetIdleHook([] { FAIL() << "the program must not wait for input"; });
  EXPECT_EQ(VorMain(desktop), 0);
  for (const auto& line : desktop.Transcript()) {
    EXPECT_EQ(line.find("show_window"), std::string::npos) << line;
    EXPECT_EQ(line.find("messagebox"), std::string::npos) << line;
    EXPECT_EQ(line.find("\"error\""), std::string::npos) << line;
  }
}

TEST(ProcessEntry, ClosingTheWindowReturnsZeroAfterTheTrayIconLeaves) {
  SimDesktop desktop;
  bool asked = false;
  desktop.SetIdleHook([&] {
    ASSERT_FALSE(asked) << "the program kept running after the close";
    asked = true;
    desktop.QueueAnswer({IDYES, 0});
    TApplication& application = *desktop.Application();
    application.Loop().PostMessage(application.MainForm()->Handle(), WM_CLOSE);
  });
  EXPECT_EQ(VorMain(desktop), 0);
  EXPECT_TRUE(desktop.Icons().empty());
  const auto& lines = desktop.Transcript();
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines.back().find("\"op\":\"delete\""), std::string::npos) << lines.back();
}

}  // namespace
