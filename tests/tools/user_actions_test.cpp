// What the user's commands do to the running program: they reach it through its message
// loop, as real input does, and a control the user cannot reach takes nothing.

#include <gtest/gtest.h>

#include "tests/tools/scenario_run.h"

namespace {

// The service's replies that bring the login window to its ready state.
const std::string kReadyService =
    "page client_get_param 1.00|http://example.org/update|60\n"
    "page client_login_ad <html><body>ad</body></html>\n";

struct CentringCase {
  int screen_width;
  int screen_height;
  int left;
  int top;
};

TEST(Centring, UsesTheOuterWindowAndTruncatesTowardZero) {
  // The outer window is 311 x 250 on the simulated desktop.
  const CentringCase cases[] = {{1366, 768, 527, 259}, {1366, 969, 527, 359}, {308, 250, -1, 0}};
  for (const CentringCase& c : cases) {
    const ScenarioRun run = RunScenarioText("screen " + std::to_string(c.screen_width) + " " +
                                            std::to_string(c.screen_height) + "\nstart\nstate\n");
    const auto states = run.Events("state");
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(Path(states[0], {"form", "left"}), std::to_string(c.left)) << c.screen_width;
    EXPECT_EQ(Path(states[0], {"form", "top"}), std::to_string(c.top)) << c.screen_height;
  }
}

TEST(Click, OnTheDisabledLoginButtonDoesNothingAndSaysSo) {
  const ScenarioRun run = RunScenarioText("start\ntype sEdit1 10001\nclick sBitBtn1\nstate\n");
  EXPECT_EQ(run.Count({R"({"event":"click_ignored","control":"sBitBtn1","reason":"disabled"})"}), 1);
  EXPECT_EQ(run.Count({"client_get_nonce"}), 0);
}

TEST(Click, OnTheEnabledLoginButtonSendsTheTypedNumberUntrimmed) {
  // The replies to the login stay away, so the state shows the window as the click left it.
  const ScenarioRun run = RunScenarioText(
      kReadyService + U8(u8"start\nlatency 60000\ntype sEdit1  10001 \ntype sEdit2 张三\nclick sBitBtn1\nstate\n"));
  EXPECT_TRUE(run.Events("click_ignored").empty());
  EXPECT_EQ(run.Count({"\"navigate\"", "client_get_nonce?userid=%2010001%20\""}), 1);
  const auto states = run.Events("state");
  ASSERT_EQ(states.size(), 1u);
  EXPECT_EQ(Path(states[0], {"controls", "sEdit1", "text"}), "\" 10001 \"");
  EXPECT_EQ(Path(states[0], {"controls", "sEdit2", "text"}), U8(u8"\"张三\""));
}

TEST(Check, SetsTheCheckBox) {
  const ScenarioRun run = RunScenarioText("start\ncheck sCheckBox2 on\nstate\ncheck sCheckBox2 off\nstate\n");
  const auto states = run.Events("state");
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(Path(states[0], {"controls", "sCheckBox2", "checked"}), "true");
  EXPECT_EQ(Path(states[1], {"controls", "sCheckBox2", "checked"}), "false");
}

TEST(Answer, WithAfterKeepsTheBoxOpenWhileVirtualTimeRuns) {
  // The pages are due one second after the start; the question stays open for two.
  const ScenarioRun run = RunScenarioText("latency 1000\nstart\nanswer no after 2000\nclose\nstate\n");
  const int box = run.IndexOf("\"messagebox\"");
  ASSERT_GE(box, 0);
  EXPECT_GT(run.IndexOf("\"complete\""), box);
  EXPECT_LT(run.IndexOf("\"complete\""), run.IndexOf("\"state\""));
}

struct TrayCase {
  const char* event;
  const char* expected;  // a piece of the line it leads to
};

TEST(Tray, EventsReachTheIconAsItsCallback) {
  const TrayCase cases[] = {
      {"rup", R"({"event":"popup","menu":"PopupMenu1","x":1300,"y":740})"},
      {"ldbl", R"({"event":"show_window","target":"application","cmd":9})"},
      {"balloonclick", R"({"event":"show_window","target":"application","cmd":9})"},
      {"1029", R"({"event":"show_window","target":"application","cmd":9})"},  // the balloon click by number
  };
  for (const TrayCase& c : cases) {
    const ScenarioRun run = RunScenarioText(std::string("start\ntray ") + c.event + "\n");
    EXPECT_EQ(run.Count({c.expected}), 1) << c.event;
  }
}

TEST(SysCommand, MinimizesAndRestoresTheApplication) {
  const ScenarioRun run = RunScenarioText("start\nsyscommand minimize\nstate\nsyscommand restore\nstate\n");
  const auto states = run.Events("state");
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(Path(states[0], {"application", "minimized"}), "true");
  EXPECT_EQ(Path(states[1], {"application", "minimized"}), "false");
}

TEST(Menu, ChoosesAnItemByNameOrByCaption) {
  const ScenarioRun run = RunScenarioText(U8(u8"start\nanswer ok\nmenu 关于翔羚vor\nanswer no\nmenu N1\nstate\n"));
  const auto boxes = run.Events("messagebox");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(Member(boxes[0], "caption"), U8(u8"\"关于翔羚vor\""));
  EXPECT_EQ(Member(boxes[1], "caption"), U8(u8"\"系统退出提醒\""));
}

TEST(Key, MessagesGoToTheBrowserThroughTheMessageHook) {
  const ScenarioRun run = RunScenarioText(std::string(kReadyService) +
                                          "start\nkey down back\nkey up back\nkey down v\nkey down A\nkey char a\n");
  // The keys that the program withholds from the browser never reach its accelerators.
  EXPECT_EQ(run.Count({"\"accelerator\"", "\"wParam\":8}"}), 0);
  EXPECT_EQ(run.Count({"\"accelerator\"", "\"wParam\":86}"}), 0);
  EXPECT_EQ(run.Count({R"({"event":"accelerator","message":256,"wParam":65})"}), 1);
  EXPECT_EQ(run.Count({R"({"event":"accelerator","message":258,"wParam":97})"}), 1);
}

TEST(EndSession, TheQueryAsksTheCloseQuestionAndTheEndTakesTheIconOnlyWhenTheSessionEnds) {
  const ScenarioRun run =
      RunScenarioText("start\nanswer no\nendsession query\nendsession end 0\nendsession end\nstate\n");
  const auto rounds = run.Events("endsession");
  ASSERT_EQ(rounds.size(), 3u);
  EXPECT_EQ(rounds[0], R"({"event":"endsession","message":"query","wParam":0,"form":0,"application":1,"tray":1})");
  EXPECT_EQ(Member(rounds[1], "wParam"), "0");
  EXPECT_EQ(Member(rounds[2], "wParam"), "1");
  // Only the round whose session really ends takes the icon out; the program runs on.
  const int deleted = run.IndexOf("\"op\":\"delete\"");
  EXPECT_GT(deleted, run.IndexOf(rounds[1]));
  EXPECT_LT(deleted, run.IndexOf(rounds[2]));
  EXPECT_EQ(run.Count({"\"op\":\"delete\""}), 1);
  EXPECT_EQ(run.Events("state").size(), 1u);
}

TEST(Field, SetsEveryInputWithThatIdInTheShownPage) {
  const ScenarioRun run = RunScenarioText(
      "page client_get_param <input id=\"client_exit\" value=\"0\"><input id=\"client_exit\"><input id=\"x\">\n"
      "start\nfield client_exit 1\nfield nothing 1\n");
  EXPECT_EQ(run.Count({R"({"event":"field","id":"client_exit","value":"1","count":2})"}), 1);
  EXPECT_EQ(run.Count({R"({"event":"field","id":"nothing","value":"1","count":0})"}), 1);
}

}  // namespace
