// The new-message poll while the window is in the tray: when it runs, what it announces,
// and how restoring the window ends it.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/monitor/monitor_scenario.h"

namespace {

class Notifier : public MonitorScenario {};

TEST_F(Notifier, MinimizingStartsThePollAndDiscardsACountSetWhileShown) {
  StartInClient();
  EXPECT_FALSE(form->Timer1->Enabled());
  SetField(u"client_new_msg", u"7");
  Minimize();
  EXPECT_TRUE(application->Minimized());
  EXPECT_TRUE(form->Timer1->Enabled());
  EXPECT_EQ(FieldValues(u"client_new_msg"), std::vector<WideString>{u"0"});
  Settle(10000);
  EXPECT_EQ(NewMessageBalloons(), 0);
}

TEST_F(Notifier, ACountArrivingInTheTrayShowsOneBalloonAtTheNextTick) {
  StartInClient();
  Minimize();
  SetField(u"client_new_msg", u"12");
  Settle(5000);
  const NOTIFYICONDATAA& record = form->TrayIcon1->Record();
  EXPECT_EQ(std::string(record.szInfoTitle), "短信提醒");
  EXPECT_EQ(std::string(record.szInfo), "  您有12条新短信!\n\n单击此气球查看新短信");
  EXPECT_EQ(NewMessageBalloons(), 1);
  EXPECT_EQ(FieldValues(u"client_new_msg"), std::vector<WideString>{u"0"});
  Settle(5000);
  EXPECT_EQ(NewMessageBalloons(), 1);
}

TEST_F(Notifier, AHugeDoubleByteCountIsCutAtACharacterInsideTheField) {
  StartInClient();
  Minimize();
  SetField(u"client_new_msg", WideString(300, u'新'));
  Settle(5000);
  std::string kept;
  for (int i = 0; i < 109; ++i) kept += "新";
  const NOTIFYICONDATAA& record = form->TrayIcon1->Record();
  ASSERT_EQ(record.szInfo[sizeof record.szInfo - 1], '\0');
  EXPECT_EQ(std::string(record.szInfo), "  您有" + kept + "条新短信!\n\n单击此气球查看新短信");
  EXPECT_EQ(record.szTip[sizeof record.szTip - 1], '\0');
}

TEST_F(Notifier, MinimizingDuringLoginStartsNoPoll) {
  ServeEndpoint("client_get_param", "1.00|x|5");
  Start();
  ASSERT_EQ(form->CppWebBrowser1->Tag, 1);
  Minimize();
  EXPECT_TRUE(application->Minimized());
  EXPECT_FALSE(form->Timer1->Enabled());
}

class RestoreGesture : public Notifier, public ::testing::WithParamInterface<LPARAM> {};

TEST_P(RestoreGesture, StopsThePollAndTakesTheBalloonDown) {
  StartInClient();
  Minimize();
  SetField(u"client_new_msg", u"12");
  Settle(5000);
  ASSERT_EQ(NewMessageBalloons(), 1);

  TrayNotice(GetParam());
  EXPECT_FALSE(application->Minimized());
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_FALSE(form->TrayIcon1->GetAnimate());
  EXPECT_EQ(form->TrayIcon1->IconIndex(), 0);
  const NOTIFYICONDATAA& record = form->TrayIcon1->Record();
  EXPECT_EQ(std::string(record.szInfoTitle), "");
  EXPECT_EQ(std::string(record.szInfo), "");
  // The shell holds the record without a balloon now.
  const NOTIFYICONDATAA& shown = desktop.Icons().at({record.hWnd, record.uID});
  EXPECT_EQ(std::string(shown.szInfoTitle), "");

  SetField(u"client_new_msg", u"3");
  Settle(15000);
  EXPECT_EQ(NewMessageBalloons(), 1);
}

INSTANTIATE_TEST_SUITE_P(Gestures, RestoreGesture, ::testing::Values(WM_LBUTTONDBLCLK, NIN_BALLOONUSERCLICK),
                         [](const auto& info) {
                           return std::string(info.param == WM_LBUTTONDBLCLK ? "DoubleClick" : "BalloonClick");
                         });

TEST_F(Notifier, RestoringBeforeTheFirstTickShowsNothing) {
  StartInClient();
  Minimize();
  SetField(u"client_new_msg", u"12");
  TrayNotice(WM_LBUTTONDBLCLK);
  Settle(15000);
  EXPECT_EQ(NewMessageBalloons(), 0);
  EXPECT_EQ(FieldValues(u"client_new_msg"), std::vector<WideString>{u"12"});
}

TEST_F(Notifier, TicksWhileTheAboutBoxIsOpenStillAnnounce) {
  StartInClient();
  Minimize();
  SetField(u"client_new_msg", u"4");
  Answer(IDOK, 6000);
  application->Dispatch([this] { form->N2->Click(); });
  EXPECT_EQ(NewMessageBalloons(), 1);
  EXPECT_EQ(ErrorBoxes(), 0);
  EXPECT_FALSE(application->Terminated());
}

}  // namespace
