// The machine the scenario sets up around the program: the registry key of the account,
// the settings file next to the executable, and the store as the driver prints it.
// Scenario texts are UTF-8, so those with Chinese in them are written as u8 literals.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/text.h"
#include "tests/tools/scenario_run.h"
#include "tools/sim/temp_folder.h"

namespace {

TEST(Store, IsEmptyOnAFreshMachine) {
  const ScenarioRun run = RunScenarioText("store\n");
  ASSERT_EQ(run.lines.size(), 1u);
  EXPECT_EQ(run.lines[0], R"({"event":"store","registry":null,"ini":null})");
  EXPECT_EQ(run.code, 0);
}

TEST(Store, ShowsTheAccountKeyAndTheSettingsFile) {
  const ScenarioRun run = RunScenarioText(
      "registry set UserId 10001\nregistry set Password  \nregistry setdword AutoRun 1\n" +
      U8(u8"ini [ACCOUNT]\\nUserId=张三\nstore\nregistry clear\nstore\n"));
  const auto stores = run.Events("store");
  ASSERT_EQ(stores.size(), 2u);
  EXPECT_EQ(stores[0], U8(u8R"({"event":"store","registry":{"UserId":"10001","Password":" ","AutoRun":1},)"
                          u8R"("ini":"[ACCOUNT]\nUserId=张三"})"));
  EXPECT_EQ(Member(stores[1], "registry"), "null");
}

TEST(Registry, DeniedSendsTheProgramsAccountToTheSettingsFile) {
  const ScenarioRun run = RunScenarioText(
      "registry deny\npage client_get_param 1.00|http://example.org/update|60\nstart\nlatency 60000\n"
      "type sEdit1 10001\ntype sEdit2 pw\ncheck sCheckBox1 on\nclick sBitBtn1\nstore\n");
  const auto stores = run.Events("store");
  ASSERT_EQ(stores.size(), 1u);
  EXPECT_EQ(Member(stores[0], "registry"), "null");
  EXPECT_NE(Member(stores[0], "ini").find("UserId=10001"), std::string::npos) << stores[0];
}

TEST(Ini, WritesTheSettingsFileInTheProgramsCodePageIntoTheExecutableFolder) {
  const TempFolder folder;
  const ScenarioRun run = RunScenarioText("exe " + folder.Path() + U8(u8"\nini [ACCOUNT]\\nUserId=张三\n"));
  ASSERT_EQ(run.code, 0);
  std::ifstream file(folder.Path() + "config.ini", std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  EXPECT_EQ(bytes.str(), "[ACCOUNT]\nUserId=张三");  // narrow literals are code-page-936 bytes here
}

}  // namespace
