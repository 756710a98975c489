#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "tests/tray/tray_fixture.h"

namespace {

constexpr HICON kPictures[] = {0x2001, 0x2002, 0x2003};

class TrayAnimation : public TrayFixture {
 protected:
  TrayAnimation() {
    for (const HICON picture : kPictures) list->Add(picture);
    tray->SetAnimateInterval(800);
  }

  [[nodiscard]] long Sends() const { return std::count(log.begin(), log.end(), "modify"); }

  TImageList* list = new TImageList(&application);
  TTrayIcon* tray = MakeTray(&application);
};

TEST_F(TrayAnimation, WithoutIconsAtRunTimeAnimateStaysOff) {
  tray->SetAnimate(true);
  EXPECT_FALSE(tray->GetAnimate());
  EXPECT_FALSE(tray->AnimationTimerEnabled());
}

TEST_F(TrayAnimation, IntervalIsTheTimers) {
  EXPECT_EQ(tray->GetAnimateInterval(), 800);
  tray->SetAnimateInterval(250);
  EXPECT_EQ(tray->GetAnimateInterval(), 250);
}

TEST_F(TrayAnimation, PicturesCycleAtTheIntervalAndEachStepIsSentTwice) {
  tray->Icons = list;
  tray->SetVisible(true);
  tray->SetAnimate(true);
  EXPECT_TRUE(tray->GetAnimate());
  EXPECT_TRUE(tray->AnimationTimerEnabled());
  log.clear();
  desktop.Settle(799);
  EXPECT_EQ(Sends(), 0);
  std::int64_t until_next_tick = 1;
  for (const int expected : {1, 2, 0, 1}) {
    SCOPED_TRACE(expected);
    desktop.Settle(until_next_tick);
    until_next_tick = 800;
    EXPECT_EQ(tray->IconIndex(), expected);
    EXPECT_EQ(TakeLog(), (Log{"modify", "modify"}));
    EXPECT_EQ(Shown(*tray)->hIcon, kPictures[expected]);
  }
  tray->SetAnimate(false);
  EXPECT_FALSE(tray->AnimationTimerEnabled());
  desktop.Settle(5000);
  EXPECT_TRUE(TakeLog().empty());
  EXPECT_EQ(tray->IconIndex(), 1);
}

TEST_F(TrayAnimation, RemovingTheImageListStopsTheAnimation) {
  tray->Icons = list;
  tray->SetAnimate(true);
  delete list;
  EXPECT_EQ(tray->Icons, nullptr);
  EXPECT_FALSE(tray->AnimationTimerEnabled());
  EXPECT_FALSE(tray->GetAnimate());
  tray->SetVisible(true);
  log.clear();
  desktop.Settle(5000);
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(TrayAnimation, TickWithoutIconsChangesNothing) {
  tray->Icons = list;
  tray->SetVisible(true);
  tray->SetAnimate(true);
  // Icons is a plain field, so it can be cleared without the list going away.
  tray->Icons = nullptr;
  log.clear();
  desktop.Settle(2000);
  EXPECT_TRUE(TakeLog().empty());
  EXPECT_EQ(tray->IconIndex(), 0);
}

TEST_F(TrayAnimation, StepFromTheHighestIndexStartsOver) {
  tray->Icons = list;
  tray->SetIconIndex(std::numeric_limits<int>::max());
  tray->SetAnimate(true);
  desktop.Settle(800);
  EXPECT_EQ(tray->IconIndex(), 0);
}

}  // namespace
