// The driver's main scenarios, read from tests/tools/scenarios: the client's start, a tray
// icon the shell refuses, and two runs on one machine; and the examples the README runs.

#include <gtest/gtest.h>

#include "login/service_address.h"
#include "tests/tools/scenario_run.h"

namespace {

TEST(StartupScenario, ShowsTheWaitingLoginWindowAndExitsWithZeroAfterTheTrayDelete) {
  const ScenarioRun run = RunScenarioFile("startup.vor");
  ASSERT_EQ(run.code, 0);

  // The icon enters the tray first, with the record the shell is given.
  ASSERT_FALSE(run.lines.empty());
  const std::string add = run.lines.front();
  EXPECT_EQ(Member(add, "event"), "\"shell_notify\"");
  EXPECT_EQ(Member(add, "op"), "\"add\"");
  EXPECT_EQ(Member(add, "ok"), "true");
  const std::string record = Member(add, "record");
  EXPECT_EQ(Member(record, "cbSize"), "488");
  EXPECT_EQ(Member(record, "uFlags"), "27");
  EXPECT_EQ(Member(record, "uCallbackMessage"), "1025");
  EXPECT_EQ(Member(record, "dwState"), "2");
  EXPECT_EQ(Member(record, "dwStateMask"), "0");
  EXPECT_EQ(Member(record, "dwInfoFlags"), "1");

  // The construction's two navigations, while the stage is 1.
  const std::string base = AnsiToUtf8(ServiceBase());
  EXPECT_EQ(run.Count({"\"navigate\"", "\"CppWebBrowser1\"", base + "client_get_param\"", "\"stage\":1"}), 1);
  EXPECT_EQ(run.Count({"\"navigate\"", "\"CppWebBrowser2\"", base + "client_login_ad\""}), 1);

  const auto states = run.Events("state");
  ASSERT_EQ(states.size(), 2u);
  const std::string& state = states[0];
  EXPECT_EQ(Path(state, {"form", "caption"}), U8(u8"\"翔羚vor登陆\""));
  EXPECT_EQ(Path(state, {"form", "clientWidth"}), "305");
  EXPECT_EQ(Path(state, {"form", "clientHeight"}), "222");
  EXPECT_EQ(Path(state, {"form", "left"}), "527");
  EXPECT_EQ(Path(state, {"form", "top"}), "259");
  EXPECT_EQ(Path(state, {"controls", "sLabel3", "caption"}), U8(u8"\"系统初始化中...\""));
  EXPECT_EQ(Path(state, {"controls", "sBitBtn1", "enabled"}), "false");
  EXPECT_EQ(Member(state, "stage"), "1");
  EXPECT_EQ(Path(state, {"fields", "FCloseMode"}), "1");
  // Answering "no" keeps everything as it was.
  EXPECT_EQ(states[1], states[0]);

  const auto boxes = run.Events("messagebox");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(Member(boxes[0], "text"), U8(u8"\"\\n你确定要退出吗？\\n\""));
  EXPECT_EQ(Member(boxes[0], "caption"), U8(u8"\"系统退出提醒\""));
  EXPECT_EQ(Member(boxes[0], "style"), "4");
  EXPECT_EQ(Member(boxes[0], "answer"), "\"no\"");
  EXPECT_EQ(Member(boxes[1], "answer"), "\"yes\"");

  // The end: the yes, the icon's removal, the exit.
  ASSERT_GE(run.lines.size(), 3u);
  const std::size_t n = run.lines.size();
  EXPECT_EQ(run.lines[n - 3], boxes[1]);
  EXPECT_EQ(Member(run.lines[n - 2], "event"), "\"shell_notify\"");
  EXPECT_EQ(Member(run.lines[n - 2], "op"), "\"delete\"");
  EXPECT_EQ(Member(run.lines[n - 2], "ok"), "true");
  EXPECT_EQ(run.lines[n - 1], R"({"event":"exit","code":0})");
}

TEST(RefusedTrayScenario, EndsAtOnceWithZeroAndShowsNothing) {
  const ScenarioRun run = RunScenarioFile("refused_tray.vor");
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.Count({"\"shell_notify\"", "\"op\":\"add\"", "\"ok\":false"}), 1);
  EXPECT_TRUE(run.Events("show_window").empty());
  EXPECT_TRUE(run.Events("messagebox").empty());
  EXPECT_TRUE(run.Events("error").empty());
  EXPECT_TRUE(run.Events("navigate").empty());
  ASSERT_FALSE(run.lines.empty());
  EXPECT_EQ(run.lines.back(), R"({"event":"exit","code":0})");
}

TEST(SecondStartScenario, KeepsTheRegistryTheSettingsFileAndTheClock) {
  const ScenarioRun run = RunScenarioFile("second_start.vor");
  ASSERT_EQ(run.code, 0);
  EXPECT_EQ(run.Events("exit").size(), 2u);
  const auto stores = run.Events("store");
  ASSERT_EQ(stores.size(), 2u);
  EXPECT_EQ(Path(stores[0], {"registry", "UserId"}), "\"10001\"");
  EXPECT_EQ(stores[1], stores[0]);
  EXPECT_EQ(Member(stores[1], "ini"), "\"[NOTES]\\nkept=1\"");
  // The second run reads the number the first one saved.
  const auto states = run.Events("state");
  ASSERT_EQ(states.size(), 1u);
  EXPECT_EQ(Path(states[0], {"controls", "sEdit1", "text"}), "\"10001\"");
  EXPECT_EQ(Path(states[0], {"controls", "sCheckBox1", "checked"}), "true");
  // Its login is signed with the time that the first run's five seconds left.
  EXPECT_EQ(run.Count({"\"navigate\"", "client_login?", "timestamp=1700000000&"}), 1);
  EXPECT_EQ(run.Count({"\"navigate\"", "client_login?", "timestamp=1700000005&"}), 1);
}

TEST(ExitDuringWaitScenario, TheNextRunStartsWhereTheFirstEnded) {
  const ScenarioRun run = RunScenarioFile("exit_during_wait.vor");
  ASSERT_EQ(run.code, 0);
  EXPECT_EQ(run.Events("exit").size(), 2u);
  // The first run ended one second in; the second signs its login at that time.
  EXPECT_EQ(run.Count({"\"navigate\"", "client_login?", "timestamp=1700000001&"}), 1);
}

TEST(Examples, RunToTheirEndWithExitCodeZero) {
  for (const char* name : {"startup.vor", "client.vor"}) {
    const ScenarioRun run = RunScenarioFile(name, VOR_EXAMPLES_DIR);
    EXPECT_EQ(run.code, 0) << name;
    EXPECT_TRUE(run.Events("script_error").empty()) << name;
    EXPECT_EQ(run.Events("exit").size(), 1u) << name;
  }
}

}  // namespace
