#include <gtest/gtest.h>

#include "tests/tray/tray_fixture.h"

namespace {

// The tray icon of a main form, with the application-wide minimize and restore events in
// the log as well.
class TrayMinimize : public TrayFixture {
 protected:
  TrayMinimize() {
    events->OnMinimize = [this](TObject*) { log.push_back("application OnMinimize"); };
    events->OnRestore = [this](TObject*) { log.push_back("application OnRestore"); };
  }

  TForm* MainForm() {
    TForm* created = nullptr;
    application.CreateForm(created);
    return created;
  }

  TForm* form = MainForm();
  TTrayIcon* tray = MakeTray(form);
  TApplicationEvents* events = new TApplicationEvents(form);
};

TEST_F(TrayMinimize, MinimizeHidesTheApplicationWindowEveryTime) {
  tray->Minimize();
  tray->Minimize();
  EXPECT_EQ(TakeLog(), (Log{"application OnMinimize", "show application 0", "OnMinimize", "show application 0",
                            "OnMinimize"}));
  EXPECT_TRUE(application.Minimized());
  EXPECT_FALSE(application.WindowVisible());
  EXPECT_FALSE(form->Visible);
}

TEST_F(TrayMinimize, RestoreRestoresShowsAndBringsTheApplicationToTheFront) {
  tray->Minimize();
  log.clear();
  tray->Restore();
  EXPECT_EQ(TakeLog(), (Log{"application OnRestore", "show application 9", "foreground application", "OnRestore"}));
  EXPECT_FALSE(application.Minimized());
  EXPECT_TRUE(application.WindowVisible());
  EXPECT_TRUE(form->Visible);
}

TEST_F(TrayMinimize, MinimizeCommandThroughTheHookRaisesOnMinimizeTwiceWhenTheApplicationEventMinimizesAgain) {
  // The program's application minimize handler hands the minimize to the tray once more.
  events->OnMinimize = [this](TObject*) {
    log.push_back("application OnMinimize");
    tray->Minimize();
  };
  tray->SetVisible(true);
  log.clear();
  SysCommand(SC_MINIMIZE);
  EXPECT_EQ(TakeLog(), (Log{"application OnMinimize", "show application 0", "OnMinimize", "show application 0",
                            "OnMinimize"}));
  EXPECT_TRUE(application.Minimized());
}

struct CommandCase {
  const char* name;
  bool visible;       // the hook is installed while the icon is in the tray
  bool minimized;     // the application's state before the command
  WPARAM command;
  Log expected;
  bool minimized_after;
  friend void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }
};

class TrayHook : public TrayMinimize, public ::testing::WithParamInterface<CommandCase> {};

// The hook acts first and the application then handles the command itself, which does
// nothing once the hook has brought the application to the state asked for.
TEST_P(TrayHook, SystemCommandsToTheApplicationWindow) {
  const CommandCase& c = GetParam();
  if (c.visible) tray->SetVisible(true);
  if (c.minimized) application.Minimize();
  log.clear();
  SysCommand(c.command);
  EXPECT_EQ(TakeLog(), c.expected);
  EXPECT_EQ(application.Minimized(), c.minimized_after);
}

INSTANTIATE_TEST_SUITE_P(
    Tray, TrayHook,
    ::testing::Values(
        CommandCase{"MinimizeHides", true, false, SC_MINIMIZE,
                    {"application OnMinimize", "show application 0", "OnMinimize"}, true},
        CommandCase{"RestoreShows", true, true, SC_RESTORE,
                    {"application OnRestore", "show application 9", "foreground application", "OnRestore"}, false},
        // The low four bits count: a command with them set is another command.
        CommandCase{"MinimizeWithLowBitsIsIgnored", true, false, SC_MINIMIZE | 2, {}, false},
        CommandCase{"RestoreWithLowBitsIsIgnored", true, true, SC_RESTORE | 1, {}, true},
        // Without the icon in the tray there is no hook: the application minimizes alone.
        CommandCase{"WithoutTheIconTheApplicationAloneMinimizes", false, false, SC_MINIMIZE,
                    {"application OnMinimize"}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrayMinimize, HookGoesWithTheIconAndLeavesOtherMessagesAlone) {
  tray->SetVisible(true);
  tray->SetVisible(false);
  log.clear();
  SysCommand(SC_MINIMIZE);
  EXPECT_EQ(TakeLog(), (Log{"application OnMinimize"}));
  tray->SetVisible(true);
  log.clear();
  application.Loop().SendMessage(application.Handle(), WM_COMMAND, SC_MINIMIZE);
  EXPECT_TRUE(TakeLog().empty());
}

}  // namespace
