#include <gtest/gtest.h>

#include "tests/tray/tray_fixture.h"

namespace {

class TrayBalloon : public TrayFixture {
 protected:
  TTrayIcon* tray = MakeTray(&application);
  TIcon other_icon{0x3003};
};

TEST_F(TrayBalloon, BalloonGoesOutWithTitleTextAndJoinedTipButKeepsThePicture) {
  tray->SetVisible(true);
  log.clear();
  tray->ShowBalloon("短信提醒", "您有3条新短信!", other_icon);
  EXPECT_EQ(TakeLog(), (Log{"modify"}));
  const NOTIFYICONDATAA* shown = Shown(*tray);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(FieldText(shown->szInfoTitle), "短信提醒");
  EXPECT_EQ(FieldText(shown->szInfo), "您有3条新短信!");
  EXPECT_EQ(FieldText(shown->szTip), "短信提醒\n您有3条新短信!");
  EXPECT_EQ(shown->hIcon, application.Icon.Handle);
  EXPECT_EQ(shown->uFlags, 0x1Bu);  // the tooltip text has no effect without NIF_TIP
  EXPECT_EQ(shown->dwInfoFlags, 1u);
  EXPECT_EQ(shown->uTimeout, 0u);
}

TEST_F(TrayBalloon, LaterChangesSendTheBalloonAgainUntilEmptyTextsTakeItDown) {
  tray->SetVisible(true);
  tray->ShowBalloon("标题", "正文", other_icon);
  log.clear();
  tray->SetIconIndex(0);
  EXPECT_EQ(TakeLog(), (Log{"modify"}));
  EXPECT_EQ(FieldText(Shown(*tray)->szInfo), "正文");

  tray->ShowBalloon("", "", other_icon);
  EXPECT_EQ(TakeLog(), (Log{"modify"}));
  EXPECT_EQ(FieldText(Shown(*tray)->szInfoTitle), "");
  EXPECT_EQ(FieldText(Shown(*tray)->szInfo), "");
  EXPECT_EQ(FieldText(Shown(*tray)->szTip), "\n");

  tray->SetIconIndex(0);
  EXPECT_EQ(FieldText(Shown(*tray)->szInfo), "");
}

TEST_F(TrayBalloon, BalloonOutOfTheTrayWaitsForTheNextAdd) {
  tray->ShowBalloon("标题", "正文", other_icon);
  EXPECT_TRUE(TakeLog().empty());
  tray->SetVisible(true);
  EXPECT_EQ(TakeLog(), (Log{"add"}));
  EXPECT_EQ(FieldText(Shown(*tray)->szInfoTitle), "标题");
  EXPECT_EQ(FieldText(Shown(*tray)->szInfo), "正文");
  EXPECT_EQ(Shown(*tray)->hIcon, application.Icon.Handle);
}

struct CutCase {
  const char* name;
  std::string title;
  std::string text;
  std::string title_shown;
  std::string text_shown;
  std::string tip_shown;
  friend void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }
};

class TrayBalloonCut : public TrayBalloon, public ::testing::WithParamInterface<CutCase> {};

TEST_P(TrayBalloonCut, LongTextsAreCutAtACharacterBoundary) {
  tray->SetVisible(true);
  tray->ShowBalloon(GetParam().title, GetParam().text, other_icon);
  const NOTIFYICONDATAA* shown = Shown(*tray);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(FieldText(shown->szInfoTitle), GetParam().title_shown);
  EXPECT_EQ(FieldText(shown->szInfo), GetParam().text_shown);
  EXPECT_EQ(FieldText(shown->szTip), GetParam().tip_shown);
}

std::string Times(int count, const std::string& piece) {
  std::string joined;
  for (int i = 0; i < count; ++i) joined += piece;
  return joined;
}

// "短" is two bytes in the program's code page; "x" one.
const std::string kWide = "短";

INSTANTIATE_TEST_SUITE_P(
    Tray, TrayBalloonCut,
    ::testing::Values(
        CutCase{"FitExactly", Times(63, "t"), Times(255, "b"), Times(63, "t"), Times(255, "b"),
                Times(63, "t") + "\n" + Times(63, "b")},
        CutCase{"OneByteOver", Times(64, "t"), Times(256, "b"), Times(63, "t"), Times(255, "b"),
                Times(64, "t") + "\n" + Times(62, "b")},
        // A double-byte character across the limit stays out whole.
        CutCase{"CharacterAcrossTheLimit", Times(62, "t") + kWide, Times(254, "b") + kWide, Times(62, "t"),
                Times(254, "b"), Times(62, "t") + kWide + "\n" + Times(62, "b")},
        CutCase{"DoubleByteOnly", Times(40, kWide), Times(200, kWide), Times(31, kWide), Times(127, kWide),
                Times(40, kWide) + "\n" + Times(23, kWide)},
        CutCase{"TipCutInsideTheText", Times(61, "t"), Times(40, kWide), Times(61, "t"), Times(40, kWide),
                Times(61, "t") + "\n" + Times(32, kWide)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
