#include <gtest/gtest.h>

#include "tests/tray/tray_fixture.h"

namespace {

using enum TTrayIconMessage;

// What Restore and ShowMenu show, as the log records them; the cursor is at 100,200.
const Log kRestore = {"show application 9", "foreground application", "OnRestore"};
const Log kMenu = {"foreground form", "popup PopupMenu1 100,200"};

Log Join(std::initializer_list<Log> parts) {
  Log joined;
  for (const Log& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

struct GestureCase {
  const char* name;
  TTrayIconMessage restore_on;
  TTrayIconMessage popup_on;
  bool with_on_click;
  LPARAM event;
  Log expected;
  friend void PrintTo(const GestureCase& c, std::ostream* os) { *os << c.name; }
};

// The tray of a form, with the form's menu, as the program sets it up.
class TrayGestures : public TrayFixture {
 protected:
  TrayGestures() {
    menu->Name = "PopupMenu1";
    tray->PopupMenu = menu;
    tray->SetVisible(true);
    log.clear();
  }

  TForm* MainForm() {
    TForm* created = nullptr;
    application.CreateForm(created);
    return created;
  }

  TForm* form = MainForm();
  TPopupMenu* menu = new TPopupMenu(form);
  TTrayIcon* tray = MakeTray(form);
};

class TrayGestureTable : public TrayGestures, public ::testing::WithParamInterface<GestureCase> {};

TEST_P(TrayGestureTable, CallbackActsInOrder) {
  const GestureCase& c = GetParam();
  tray->RestoreOn = c.restore_on;
  tray->PopupMenuOn = c.popup_on;
  if (c.with_on_click) LogClicks(*tray);
  Callback(*tray, c.event);
  EXPECT_EQ(TakeLog(), c.expected);
}

const GestureCase kProgramSettings[] = {
    // RestoreOn = imDoubleClick and PopupMenuOn = imRightClickUp, no OnClick: the program.
    {"MoveWithoutOnClick", imDoubleClick, imRightClickUp, false, WM_MOUSEMOVE, {}},
    {"LeftDown", imDoubleClick, imRightClickUp, false, WM_LBUTTONDOWN, {"OnMouseDown left L 100,200"}},
    {"LeftUpWithoutOnClick", imDoubleClick, imRightClickUp, false, WM_LBUTTONUP, {"OnMouseUp left L 100,200"}},
    {"LeftDouble", imDoubleClick, imRightClickUp, false, WM_LBUTTONDBLCLK, Join({kRestore, {"OnDblClick"}})},
    {"RightDown", imDoubleClick, imRightClickUp, false, WM_RBUTTONDOWN, {"OnMouseDown right R 100,200"}},
    {"RightUp", imDoubleClick, imRightClickUp, false, WM_RBUTTONUP, Join({{"OnMouseUp right R 100,200"}, kMenu})},
    {"RightDouble", imDoubleClick, imRightClickUp, false, WM_RBUTTONDBLCLK, Join({kRestore, {"OnDblClick"}})},
    {"MiddleDown", imDoubleClick, imRightClickUp, false, WM_MBUTTONDOWN, {"OnMouseDown middle M 100,200"}},
    {"MiddleUp", imDoubleClick, imRightClickUp, false, WM_MBUTTONUP, {"OnMouseUp middle M 100,200"}},
    {"MiddleDouble", imDoubleClick, imRightClickUp, false, WM_MBUTTONDBLCLK, Join({kRestore, {"OnDblClick"}})},
    {"BalloonClick", imDoubleClick, imRightClickUp, false, NIN_BALLOONUSERCLICK, kRestore},
    {"BalloonShown", imDoubleClick, imRightClickUp, false, NIN_BALLOONSHOW, {}},
    {"BalloonHidden", imDoubleClick, imRightClickUp, false, NIN_BALLOONHIDE, {}},
    {"BalloonTimedOut", imDoubleClick, imRightClickUp, false, NIN_BALLOONTIMEOUT, {}},
    {"KeyMessage", imDoubleClick, imRightClickUp, false, WM_KEYDOWN, {}},
    // Clicks and moves are handed on only while OnClick is assigned.
    {"MoveWithOnClick", imDoubleClick, imRightClickUp, true, WM_MOUSEMOVE, {"OnMouseMove - 100,200"}},
    {"LeftUpWithOnClick", imDoubleClick, imRightClickUp, true, WM_LBUTTONUP,
     {"OnClick", "OnMouseUp left L 100,200"}},
};
INSTANTIATE_TEST_SUITE_P(ProgramSettings, TrayGestureTable, ::testing::ValuesIn(kProgramSettings),
                         [](const auto& info) { return std::string(info.param.name); });

const GestureCase kOtherSettings[] = {
    {"ClickRestoresBeforeItsEvent", imClick, imNone, true, WM_LBUTTONUP,
     Join({kRestore, {"OnClick", "OnMouseUp left L 100,200"}})},
    {"ClickNeedsOnClick", imClick, imClick, false, WM_LBUTTONUP, {"OnMouseUp left L 100,200"}},
    {"MouseDownRestores", imMouseDown, imMouseUp, false, WM_RBUTTONDOWN,
     Join({kRestore, {"OnMouseDown right R 100,200"}})},
    {"MouseUpShowsTheMenu", imMouseDown, imMouseUp, false, WM_MBUTTONUP,
     Join({kMenu, {"OnMouseUp middle M 100,200"}})},
    {"LeftClickUpActsAfterTheEvents", imLeftClickUp, imLeftClickUp, true, WM_LBUTTONUP,
     Join({{"OnClick", "OnMouseUp left L 100,200"}, kRestore, kMenu})},
    {"LeftDoubleMenu", imNone, imLeftDoubleClick, false, WM_LBUTTONDBLCLK, Join({{"OnDblClick"}, kMenu})},
    {"RightDoubleRestores", imRightDoubleClick, imNone, false, WM_RBUTTONDBLCLK, Join({{"OnDblClick"}, kRestore})},
    {"RightDoubleIsNotLeft", imRightDoubleClick, imNone, false, WM_LBUTTONDBLCLK, {"OnDblClick"}},
    {"AnyDoubleShowsTheMenuBeforeItsEvent", imNone, imDoubleClick, false, WM_MBUTTONDBLCLK,
     Join({kMenu, {"OnDblClick"}})},
    {"MiddleUpIsNoRightClickUp", imRightClickUp, imRightClickUp, false, WM_MBUTTONUP, {"OnMouseUp middle M 100,200"}},
    {"NoneIgnoresEverything", imNone, imNone, false, WM_RBUTTONUP, {"OnMouseUp right R 100,200"}},
};
INSTANTIATE_TEST_SUITE_P(OtherSettings, TrayGestureTable, ::testing::ValuesIn(kOtherSettings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrayGestures, PositionIsTheCursorWhenTheCallbackIsHandled) {
  desktop.SetCursor({7, 9});
  application.Loop().PostMessage(tray->GetHandle(), WM_USER + 1, 0, WM_LBUTTONDOWN);
  desktop.SetCursor({640, 480});
  desktop.Settle();
  EXPECT_EQ(TakeLog(), (Log{"OnMouseDown left L 640,480"}));
}

struct ShiftCase {
  std::vector<int> keys_down;
  LPARAM event;
  const char* expected;
  friend void PrintTo(const ShiftCase& c, std::ostream* os) { *os << c.expected; }
};

class TrayShift : public TrayGestures, public ::testing::WithParamInterface<ShiftCase> {};

TEST_P(TrayShift, ShiftStateFollowsTheKeysAndTheButton) {
  for (const int key : GetParam().keys_down) desktop.SetKeyDown(key, true);
  LogClicks(*tray);
  Callback(*tray, GetParam().event);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tray, TrayShift,
    ::testing::Values(ShiftCase{{}, WM_LBUTTONDOWN, "OnMouseDown left L 100,200"},
                      ShiftCase{{VK_SHIFT}, WM_LBUTTONDOWN, "OnMouseDown left SL 100,200"},
                      ShiftCase{{VK_CONTROL}, WM_RBUTTONDOWN, "OnMouseDown right CR 100,200"},
                      ShiftCase{{VK_MENU}, WM_MBUTTONUP, "OnMouseUp middle AM 100,200"},
                      ShiftCase{{VK_SHIFT, VK_CONTROL, VK_MENU}, WM_MOUSEMOVE, "OnMouseMove SAC 100,200"},
                      // Other keys are not part of the shift state.
                      ShiftCase{{VK_LEFT, VK_BACK}, WM_MOUSEMOVE, "OnMouseMove - 100,200"}));

TEST_F(TrayGestures, MenuWithoutAMenuDoesNothing) {
  tray->PopupMenu = nullptr;
  tray->ShowMenu();
  tray->PopupMenuOn = imRightClickUp;
  Callback(*tray, WM_RBUTTONUP);
  EXPECT_EQ(TakeLog(), (Log{"OnMouseUp right R 100,200"}));
}

TEST_F(TrayFixture, MenuWithoutAnActiveFormBringsNothingToTheFront) {
  TTrayIcon* tray = MakeTray(&application);
  auto* menu = new TPopupMenu(&application);
  menu->Name = "PopupMenu1";
  tray->PopupMenu = menu;
  tray->ShowMenu();
  EXPECT_EQ(TakeLog(), (Log{"popup PopupMenu1 100,200"}));
}

}  // namespace
