// Keyboard forwarding: which queued messages the web client's browser is offered for its
// accelerators, and when it is offered nothing.

#include <gtest/gtest.h>

#include <string>

#include "tests/monitor/monitor_scenario.h"

namespace {

class KeyForwarding : public MonitorScenario {
 protected:
  void Post(UINT message, WPARAM wparam) {
    application->Loop().PostMessage(form->Handle(), message, wparam);
    Settle();
  }
  [[nodiscard]] int Offered(UINT message, WPARAM wparam) const {
    return CountEvents({"\"accelerator\"", "\"message\":" + std::to_string(message) + ",",
                        "\"wParam\":" + std::to_string(wparam) + "}"});
  }
};

struct KeyCase {
  const char* name;
  UINT message;
  WPARAM wparam;
  bool ctrl;
  bool offered;
};

class ForwardedMessages : public KeyForwarding, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ForwardedMessages, WithholdsOnlyTheFourKeysOnDownAndUp) {
  const KeyCase& c = GetParam();
  StartInClient();
  desktop.SetKeyDown(VK_CONTROL, c.ctrl);
  Post(c.message, c.wparam);
  EXPECT_EQ(Offered(c.message, c.wparam), c.offered ? 1 : 0);
  // The application handles the message itself in any case: the hook leaves it unhandled.
  MSG message;
  message.hwnd = form->Handle();
  message.message = c.message;
  message.wParam = c.wparam;
  bool handled = false;
  form->ApplicationEvents1Message(message, handled);
  EXPECT_FALSE(handled);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ForwardedMessages,
    ::testing::Values(KeyCase{"BackspaceDown", WM_KEYDOWN, VK_BACK, false, false},
                      KeyCase{"BackspaceUp", WM_KEYUP, VK_BACK, false, false},
                      KeyCase{"LeftDown", WM_KEYDOWN, VK_LEFT, false, false},
                      KeyCase{"LeftUp", WM_KEYUP, VK_LEFT, false, false},
                      KeyCase{"RightDown", WM_KEYDOWN, VK_RIGHT, false, false},
                      KeyCase{"RightUp", WM_KEYUP, VK_RIGHT, false, false},
                      KeyCase{"VDown", WM_KEYDOWN, 'V', false, false},
                      KeyCase{"CtrlVDown", WM_KEYDOWN, 'V', true, false},
                      KeyCase{"CtrlVUp", WM_KEYUP, 'V', true, false},
                      KeyCase{"CharacterAfterV", WM_CHAR, 'v', false, true},
                      KeyCase{"CtrlCDown", WM_KEYDOWN, 'C', true, true},
                      KeyCase{"UpArrowDown", WM_KEYDOWN, 0x26, false, true},
                      KeyCase{"BackspaceCharacter", WM_CHAR, VK_BACK, false, true},
                      KeyCase{"MouseMove", WM_MOUSEMOVE, 0, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeyForwarding, NothingIsOfferedWhileThePageLoads) {
  StartInClient();
  desktop.WebPages().SetLatency(1000);
  form->CppWebBrowser1->Navigate(Utf8ToWide(kClientAddress));
  ASSERT_TRUE(form->CppWebBrowser1->Busy());
  const int before = CountEvents({"\"accelerator\""});
  Post(WM_KEYDOWN, 'A');
  Post(WM_CHAR, 'a');
  EXPECT_EQ(CountEvents({"\"accelerator\""}), before);
  Settle(1000);
  ASSERT_FALSE(form->CppWebBrowser1->Busy());
  Post(WM_KEYDOWN, 'A');
  EXPECT_EQ(Offered(WM_KEYDOWN, 'A'), 1);
}

TEST_F(KeyForwarding, TheActiveObjectIsLookedUpOnceTheBrowserHasAPage) {
  desktop.WebPages().SetLatency(1000);
  Start();
  Post(WM_KEYDOWN, 'A');
  EXPECT_EQ(Inspect().FActiveObject(), nullptr);
  EXPECT_EQ(CountEvents({"\"accelerator\""}), 0);
  Settle(1000);
  ASSERT_NE(form->CppWebBrowser1->Document(), nullptr);
  Post(WM_KEYDOWN, 'A');
  IOleInPlaceActiveObject* found = Inspect().FActiveObject();
  EXPECT_EQ(found, QueryInterface<IOleInPlaceActiveObject>(form->CppWebBrowser1->Application()));
  EXPECT_EQ(Offered(WM_KEYDOWN, 'A'), 1);
  // Kept for good: a later page does not bring a new lookup.
  form->CppWebBrowser1->Navigate(u"http://client.test/other");
  Settle(1000);
  Post(WM_KEYDOWN, 'B');
  EXPECT_EQ(Inspect().FActiveObject(), found);
}

}  // namespace
