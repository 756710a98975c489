#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/application.h"
#include "platform/sim/sim_desktop.h"

namespace {

class MessageLoopTest : public ::testing::Test {
 protected:
  SimDesktop desktop;
  TApplication application{desktop};
  TMessageLoop& loop = application.Loop();
};

TEST_F(MessageLoopTest, TimersTickWithVirtualTimeAndZeroNeverFires) {
  int ticks = 0;
  TTimer timer(&application);
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(1000);
  desktop.Settle(3500);
  EXPECT_EQ(ticks, 3);
  timer.SetInterval(0);
  desktop.Settle(5000);
  EXPECT_EQ(ticks, 3);
  timer.SetInterval(500);
  timer.SetEnabled(false);
  desktop.Settle(5000);
  EXPECT_EQ(ticks, 3);
}

TEST_F(MessageLoopTest, PostedMessagesComeInOrderBeforeTimers) {
  std::vector<UINT> seen;
  const HWND window = loop.AllocateHWnd("probe", [&](TMessage& message) { seen.push_back(message.Msg); });
  loop.SetTimer(window, 1, 10);
  desktop.Settle(10);
  seen.clear();
  loop.SetTimer(window, 1, 10);
  desktop.WaitFor(0);
  loop.PostMessage(window, WM_USER + 1);
  loop.PostMessage(window, WM_USER + 2);
  desktop.Settle(10);
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen[0], WM_USER + 1);
  EXPECT_EQ(seen[1], WM_USER + 2);
  EXPECT_EQ(seen[2], WM_TIMER);
  loop.DeallocateHWnd(window);
}

TEST_F(MessageLoopTest, HandlerErrorsAreReportedAndTheLoopGoesOn) {
  int ticks = 0;
  TTimer timer(&application);
  timer.OnTimer = [&](TObject*) {
    ++ticks;
    throw EConvertError("'x' is not a valid integer value");
  };
  timer.SetInterval(100);
  desktop.QueueAnswer({IDOK, 0});
  desktop.QueueAnswer({IDOK, 0});
  desktop.Settle(200);
  EXPECT_EQ(ticks, 2);
  int errors = 0;
  for (const auto& line : desktop.Transcript()) errors += line.find("\"event\":\"error\"") != std::string::npos;
  EXPECT_EQ(errors, 2);
}

TEST_F(MessageLoopTest, ABoxWithoutAnAnswerIsAScriptErrorNotAHang) {
  EXPECT_THROW(application.MessageBox("?", "c", MB_YESNO), SimScriptError);
}

TEST_F(MessageLoopTest, TimersKeepTickingWhileABoxIsOpen) {
  int ticks = 0;
  TTimer timer(&application);
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(1000);
  desktop.QueueAnswer({IDNO, 3500});
  EXPECT_EQ(application.MessageBox("?", "c", MB_YESNO), IDNO);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(desktop.NowMs(), 3500);
}

TEST_F(MessageLoopTest, TasksFromOtherThreadsRunOnTheLoop) {
  bool ran = false;
  std::thread worker([&] { loop.PostTask([&] { ran = true; }); });
  worker.join();
  EXPECT_FALSE(ran);
  desktop.Settle();
  EXPECT_TRUE(ran);
}

}  // namespace
