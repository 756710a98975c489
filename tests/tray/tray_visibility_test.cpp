#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "platform/exceptions.h"
#include "tests/tray/tray_fixture.h"

namespace {

class TrayVisibility : public TrayFixture {
 protected:
  // Whether the tray watches the application window: a minimize command raises the tray's
  // OnMinimize only through its hook. The application is restored quietly afterwards.
  bool Hooked() {
    const Log before = TakeLog();
    SysCommand(SC_MINIMIZE);
    const Log seen = TakeLog();
    application.Restore();
    log = before;
    return std::find(seen.begin(), seen.end(), "OnMinimize") != seen.end();
  }

  TTrayIcon* tray = MakeTray(&application);
};

struct VisibilityStep {
  bool value;
  SimDesktop::ShellRefusal refusal;
  const char* shell_call;
  const char* error;  // null when the assignment succeeds
  bool visible_after;
  bool hide_after;
  bool hooked_after;
  bool in_tray_after;
};

constexpr const char* kCreateError = "Cannot Create System Shell Notification Icon";
constexpr const char* kRemoveError = "Cannot Remove System Shell Notification Icon";
constexpr auto srNone = SimDesktop::ShellRefusal::srNone;
constexpr auto srAdd = SimDesktop::ShellRefusal::srAdd;
constexpr auto srDelete = SimDesktop::ShellRefusal::srDelete;

// One life of the icon, step by step: every assignment asks the shell, the new value stays
// even when the shell refuses, and Hide and the hook change only on success.
constexpr VisibilityStep kSteps[] = {
    {true, srNone, "add", nullptr, true, true, true, true},
    {true, srNone, "add refused", kCreateError, true, true, true, true},  // already in the tray
    {false, srNone, "delete", nullptr, false, false, false, false},
    {false, srNone, "delete refused", kRemoveError, false, false, false, false},  // already gone
    {true, srAdd, "add refused", kCreateError, true, false, false, false},
    {true, srNone, "add", nullptr, true, true, true, true},
    {false, srDelete, "delete refused", kRemoveError, false, true, true, true},
    {false, srNone, "delete", nullptr, false, false, false, false},
};

TEST_F(TrayVisibility, EveryAssignmentAsksTheShellAndRefusalsRaise) {
  int number = 0;
  for (const VisibilityStep& step : kSteps) {
    SCOPED_TRACE(::testing::Message() << "step " << ++number);
    desktop.SetShellRefusal(step.refusal);
    std::optional<std::string> error;
    try {
      tray->SetVisible(step.value);
    } catch (const EOutOfResources& e) {
      error = e.Message().bytes();
    }
    EXPECT_EQ(error, step.error ? std::optional<std::string>(step.error) : std::nullopt);
    EXPECT_EQ(TakeLog(), (Log{step.shell_call}));
    EXPECT_EQ(tray->Visible(), step.visible_after);
    EXPECT_EQ(tray->Hide(), step.hide_after);
    EXPECT_EQ(Shown(*tray) != nullptr, step.in_tray_after);
    desktop.SetShellRefusal(srNone);
    EXPECT_EQ(Hooked(), step.hooked_after);
  }
}

TEST_F(TrayVisibility, HideIsAFlagOnly) {
  tray->SetHide(false);
  EXPECT_FALSE(tray->Hide());
  tray->SetHide(true);
  EXPECT_TRUE(tray->Hide());
  EXPECT_TRUE(log.empty());
}

struct SessionCase {
  const char* name;
  UINT message;
  WPARAM wparam;
  LRESULT result;
  Log shell_calls;
  bool in_tray_after;
  friend void PrintTo(const SessionCase& c, std::ostream* os) { *os << c.name; }
};

class TraySession : public TrayVisibility, public ::testing::WithParamInterface<SessionCase> {};

TEST_P(TraySession, EndOfSessionMessages) {
  tray->SetVisible(true);
  log.clear();
  const SessionCase& c = GetParam();
  EXPECT_EQ(application.Loop().SendMessage(tray->GetHandle(), c.message, c.wparam), c.result);
  EXPECT_EQ(TakeLog(), c.shell_calls);
  EXPECT_EQ(Shown(*tray) != nullptr, c.in_tray_after);
  // Only the icon goes: the component's own state stays as it was.
  EXPECT_TRUE(tray->Visible());
  EXPECT_TRUE(tray->Hide());
  EXPECT_TRUE(Hooked());
}

INSTANTIATE_TEST_SUITE_P(
    Tray, TraySession,
    ::testing::Values(SessionCase{"QueryIsAnsweredYes", WM_QUERYENDSESSION, 0, 1, {}, true},
                      SessionCase{"EndThatDoesNotHappenKeepsTheIcon", WM_ENDSESSION, 0, 0, {}, true},
                      SessionCase{"RealEndDeletesTheIcon", WM_ENDSESSION, 1, 0, {"delete"}, false},
                      SessionCase{"OtherMessagesDoNothing", WM_USER + 7, 0, 0, {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrayVisibility, DestructionDeletesTheIconFreesTheWindowAndUnhooks) {
  tray->SetVisible(true);
  log.clear();
  const HWND window = tray->GetHandle();
  delete tray;
  EXPECT_EQ(TakeLog(), (Log{"delete"}));
  EXPECT_TRUE(desktop.Icons().empty());
  EXPECT_FALSE(application.Loop().IsWindow(window));
  SysCommand(SC_MINIMIZE);
  EXPECT_TRUE(application.Minimized());
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(TrayVisibility, DestructionOutOfTheTrayIgnoresTheRefusedDelete) {
  EXPECT_NO_THROW(delete tray);
  EXPECT_EQ(TakeLog(), (Log{"delete refused"}));
}

TEST_F(TrayVisibility, RemovedImageListAndMenuAreForgotten) {
  auto* list = new TImageList(&application);
  auto* menu = new TPopupMenu(&application);
  tray->Icons = list;
  tray->PopupMenu = menu;
  delete menu;
  EXPECT_EQ(tray->PopupMenu, nullptr);
  EXPECT_EQ(tray->Icons, list);
  delete list;
  EXPECT_EQ(tray->Icons, nullptr);
}

TEST_F(TrayVisibility, ComponentsOfAFormAreForgottenWhenTheyGo) {
  TForm* form = nullptr;
  application.CreateForm(form);
  TTrayIcon* owned = MakeTray(form);
  auto* menu = new TPopupMenu(form);
  owned->PopupMenu = menu;
  delete menu;
  EXPECT_EQ(owned->PopupMenu, nullptr);
}

struct HintStep {
  const char* value;
  bool sent;
  const char* hint_after;
  UINT flags_after;
};

const std::string kHint63(63, 'h');
const std::string kHint64(64, 'x');

TEST_F(TrayVisibility, HintRules) {
  tray->SetVisible(true);
  log.clear();
  const HintStep steps[] = {
      {"提示", true, "提示", 0x1F},
      {"提示", false, "提示", 0x1F},                  // equal to the current hint
      {kHint63.c_str(), true, kHint63.c_str(), 0x1F},  // longest hint that fits
      {kHint64.c_str(), false, kHint63.c_str(), 0x1F}, // too long: ignored
      {"", true, "", 0x1B},                           // no tooltip, other flags kept
      {"", false, "", 0x1B},
  };
  for (const HintStep& step : steps) {
    SCOPED_TRACE(step.value);
    tray->SetHint(step.value);
    EXPECT_EQ(TakeLog(), step.sent ? Log{"modify"} : Log{});
    EXPECT_EQ(tray->Hint(), step.hint_after);
    EXPECT_EQ(FieldText(tray->Record().szTip), step.hint_after);
    EXPECT_EQ(tray->Record().uFlags, step.flags_after);
    EXPECT_EQ(Shown(*tray)->uFlags, step.flags_after);
  }
}

}  // namespace
