// A scenario the driver cannot follow ends the run with exit code 2 and a script error
// naming the line, as the last line of the transcript.

#include <gtest/gtest.h>

#include "tests/tools/scenario_run.h"

namespace {

struct ScriptErrorCase {
  const char* name;
  const char* script;
  int line;
  const char* message_piece;
};

void PrintTo(const ScriptErrorCase& c, std::ostream* out) { *out << c.name; }

class ScriptErrors : public ::testing::TestWithParam<ScriptErrorCase> {};

TEST_P(ScriptErrors, EndTheRunWithCodeTwoNamingTheLine) {
  const ScriptErrorCase& c = GetParam();
  const ScenarioRun run = RunScenarioText(c.script);
  EXPECT_EQ(run.code, 2);
  ASSERT_FALSE(run.lines.empty());
  const std::string& last = run.lines.back();
  EXPECT_EQ(Member(last, "event"), "\"script_error\"");
  EXPECT_EQ(Member(last, "line"), std::to_string(c.line));
  EXPECT_NE(Member(last, "message").find(c.message_piece), std::string::npos) << last;
  EXPECT_EQ(run.Events("script_error").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Driver, ScriptErrors,
    ::testing::Values(
        ScriptErrorCase{"UnknownCommand", "# a comment\n\nstart\nfrobnicate now\n", 4, "unknown command 'frobnicate'"},
        ScriptErrorCase{"TooFewWords", "screen 1366\n", 1, "usage: screen W H"},
        ScriptErrorCase{"TooManyWords", "start\nclose now\n", 2, "usage: close"},
        ScriptErrorCase{"NotANumber", "latency soon\n", 1, "'soon' is not a whole number"},
        ScriptErrorCase{"NegativeWait", "start\nwait -5\n", 2, "out of range"},
        ScriptErrorCase{"UnknownChoice", "answer maybe\n", 1, "'maybe' is not one of yes|no|ok"},
        ScriptErrorCase{"MalformedRoute", "route sms.example.com localhost\n", 1, "is not ADDRESS:PORT"},
        ScriptErrorCase{"DeliveryWithoutText", "service deliver 10001\n", 1, "usage: service deliver USER TEXT"},
        ScriptErrorCase{"ServiceLogWithAnArgument", "service log all\n", 1, "usage: service deliver"},
        ScriptErrorCase{"ActionWithoutProgram", "click sBitBtn1\n", 1, "needs a running program"},
        ScriptErrorCase{"ActionAfterTheProgramExited", "start\nanswer yes\nclose\nstate\n", 4,
                        "needs a running program"},
        ScriptErrorCase{"StartWhileRunning", "start\nstart\n", 2, "needs the program to have exited"},
        ScriptErrorCase{"UnknownControl", "start\nclick sBitBtn9\n", 2, "no button named 'sBitBtn9'"},
        ScriptErrorCase{"ControlOfAnotherKind", "start\ntype sBitBtn1 x\n", 2, "no edit box named 'sBitBtn1'"},
        ScriptErrorCase{"UnknownMenuItem", "start\nmenu N9\n", 2, "no item 'N9'"},
        ScriptErrorCase{"BoxWithoutAnswer", "start\nclose\nstate\n", 2, "no answer queued"},
        ScriptErrorCase{"UnwritableSettingsFile", "exe /nonexistent/vor\nini [ACCOUNT]\n", 2, "cannot write"}),
    [](const auto& info) { return std::string(info.param.name); });

// A box that opens with no answer stops the story there: the program's teardown that the
// error sets off is not shown.
TEST(ScriptErrorsStopTheTranscript, NothingFollowsTheUnansweredBox) {
  const ScenarioRun run = RunScenarioText("start\nclose\n");
  ASSERT_GE(run.lines.size(), 2u);
  const std::string& box = run.lines[run.lines.size() - 2];
  EXPECT_EQ(Member(box, "event"), "\"messagebox\"");
  EXPECT_EQ(Member(box, "answer"), "\"none\"");
  EXPECT_EQ(run.Count({"\"op\":\"delete\""}), 0);
}

TEST(EndOfScript, WhileTheProgramRunsEndsTheRunSilentlyWithTheLastExitCode) {
  const ScenarioRun run = RunScenarioText("start\nanswer yes\nclose\nstart\n");
  EXPECT_EQ(run.code, 0);
  ASSERT_FALSE(run.lines.empty());
  EXPECT_EQ(run.lines.back(), R"({"event":"end_of_script","running":true})");
  // Only the first run's icon left the tray; the second run's teardown is not shown.
  EXPECT_EQ(run.Count({"\"op\":\"delete\""}), 1);
  EXPECT_EQ(run.Events("exit").size(), 1u);
}

}  // namespace
