#include <gtest/gtest.h>

#include "tests/tray/tray_fixture.h"

namespace {

class TrayRecord : public TrayFixture {
 protected:
  TTrayIcon* tray = MakeTray(&application);
};

TEST_F(TrayRecord, ConstructionPreparesTheRecordWithoutAskingTheShell) {
  const NOTIFYICONDATAA& record = tray->Record();
  EXPECT_EQ(record.cbSize, 488u);
  EXPECT_NE(record.hWnd, 0u);
  EXPECT_EQ(record.hWnd, tray->GetHandle());
  EXPECT_TRUE(application.Loop().IsWindow(record.hWnd));
  // The id is the low 32 bits of the instance's address.
  EXPECT_EQ(record.uID, static_cast<UINT>(reinterpret_cast<std::uintptr_t>(tray)));
  EXPECT_EQ(record.uFlags, 0x1Bu);
  EXPECT_EQ(record.uCallbackMessage, 0x401u);
  EXPECT_EQ(record.hIcon, application.Icon.Handle);
  EXPECT_EQ(record.dwState, 2u);
  EXPECT_EQ(record.dwStateMask, 0u);
  EXPECT_EQ(record.dwInfoFlags, 1u);
  EXPECT_EQ(record.uTimeout, 0u);
  EXPECT_EQ(FieldText(record.szTip), "");
  EXPECT_EQ(FieldText(record.szInfo), "");
  EXPECT_EQ(FieldText(record.szInfoTitle), "");

  EXPECT_FALSE(tray->Visible());
  EXPECT_TRUE(tray->Hide());
  EXPECT_EQ(tray->Hint(), "");
  EXPECT_EQ(tray->IconIndex(), 0);
  EXPECT_EQ(tray->RestoreOn, TTrayIconMessage::imDoubleClick);
  EXPECT_EQ(tray->PopupMenuOn, TTrayIconMessage::imNone);
  EXPECT_EQ(tray->GetAnimateInterval(), 1000);
  EXPECT_FALSE(tray->GetAnimate());
  EXPECT_FALSE(tray->AnimationTimerEnabled());
  EXPECT_TRUE(static_cast<bool>(tray->OnAnimate));
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(desktop.Icons().empty());
}

TEST_F(TrayRecord, TwoInstancesHaveTheirOwnWindowAndId) {
  TTrayIcon* other = MakeTray(&application);
  EXPECT_NE(other->GetHandle(), tray->GetHandle());
  EXPECT_NE(other->Record().uID, tray->Record().uID);
  tray->SetVisible(true);
  other->SetVisible(true);
  EXPECT_EQ(desktop.Icons().size(), 2u);
}

TEST_F(TrayRecord, AddGivesTheShellTheWholeRecord) {
  tray->SetVisible(true);
  EXPECT_EQ(TakeLog(), (Log{"add"}));
  const NOTIFYICONDATAA* shown = Shown(*tray);
  ASSERT_NE(shown, nullptr);
  const NOTIFYICONDATAA& record = tray->Record();
  EXPECT_EQ(shown->cbSize, record.cbSize);
  EXPECT_EQ(shown->uFlags, 0x1Bu);
  EXPECT_EQ(shown->uCallbackMessage, 0x401u);
  EXPECT_EQ(shown->hIcon, application.Icon.Handle);
  EXPECT_EQ(shown->dwState, 2u);
  EXPECT_EQ(shown->dwStateMask, 0u);
  EXPECT_EQ(shown->dwInfoFlags, 1u);
}

TEST_F(TrayRecord, ChangesGoToTheShellOnlyWhileVisibleAndTheNextAddCarriesThem) {
  auto* list = new TImageList(&application);
  list->Add(0x2001);
  list->Add(0x2002);
  tray->Icons = list;
  tray->SetIconIndex(1);
  EXPECT_TRUE(TakeLog().empty());
  EXPECT_EQ(tray->Record().hIcon, 0x2002u);

  tray->SetVisible(true);
  ASSERT_NE(Shown(*tray), nullptr);
  EXPECT_EQ(Shown(*tray)->hIcon, 0x2002u);

  tray->SetIconIndex(0);
  tray->SetDefaultIcon();
  tray->Update();
  EXPECT_EQ(TakeLog(), (Log{"add", "modify", "modify", "modify"}));
  EXPECT_EQ(Shown(*tray)->hIcon, application.Icon.Handle);
}

TEST_F(TrayRecord, IndexOutsideTheListShowsTheEmptyPicture) {
  auto* list = new TImageList(&application);
  list->Add(0x2001);
  tray->Icons = list;
  tray->SetVisible(true);
  for (const int index : {1, -1, 1000}) {
    tray->SetIconIndex(index);
    EXPECT_EQ(tray->IconIndex(), index);
    EXPECT_EQ(Shown(*tray)->hIcon, 0u) << index;
  }
}

TEST_F(TrayRecord, WithoutIconsTheIndexChangesNoPicture) {
  tray->SetVisible(true);
  tray->SetIconIndex(3);
  EXPECT_EQ(tray->IconIndex(), 3);
  EXPECT_EQ(Shown(*tray)->hIcon, application.Icon.Handle);
}

TEST_F(TrayRecord, RefusedChangeRaisesNothing) {
  tray->SetVisible(true);
  application.Loop().SendMessage(tray->GetHandle(), WM_ENDSESSION, 1);
  log.clear();
  EXPECT_NO_THROW(tray->SetIconIndex(0));
  EXPECT_EQ(TakeLog(), (Log{"modify refused"}));
}

struct LoadedCase {
  const char* name;
  bool with_icons;
  bool animate;
  bool animate_after;
  bool timer_after;
  bool picture_from_list;  // otherwise the application's icon
  friend void PrintTo(const LoadedCase& c, std::ostream* os) { *os << c.name; }
};

class TrayLoaded : public TrayFixture, public ::testing::WithParamInterface<LoadedCase> {};

// A stored layout may name Animate before Icons; Loaded settles what the two imply.
TEST_P(TrayLoaded, SettlesPictureAndTimerOnceReadingIsOver) {
  auto* list = new TImageList(&application);
  list->Add(0x2001);
  list->Add(0x2002);
  TTrayIcon* tray = MakeTray(&application);
  tray->BeginLoading();
  tray->SetIconIndex(1);
  tray->SetAnimate(GetParam().animate);
  if (GetParam().with_icons) tray->Icons = list;
  EXPECT_FALSE(tray->AnimationTimerEnabled());
  tray->EndLoading();
  EXPECT_FALSE(tray->ComponentState().csLoading);
  EXPECT_EQ(tray->GetAnimate(), GetParam().animate_after);
  EXPECT_EQ(tray->AnimationTimerEnabled(), GetParam().timer_after);
  EXPECT_EQ(tray->Record().hIcon, GetParam().picture_from_list ? HICON{0x2002} : application.Icon.Handle);
  EXPECT_TRUE(log.empty());
}

INSTANTIATE_TEST_SUITE_P(Tray, TrayLoaded,
                         ::testing::Values(LoadedCase{"IconsAndAnimate", true, true, true, true, true},
                                           LoadedCase{"IconsStill", true, false, false, false, true},
                                           LoadedCase{"NoIconsAnimate", false, true, false, false, false},
                                           LoadedCase{"NoIconsStill", false, false, false, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
