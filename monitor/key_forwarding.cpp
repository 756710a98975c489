// Keyboard forwarding: the application's queued messages are offered to the accelerator
// handling of the web client's browser before the application handles them as usual, so
// that the page's own shortcuts work inside the window.

#include "app/Unit1.h"

namespace {

// Virtual-key codes of letters are their upper-case ASCII codes.
constexpr WPARAM kKeyV = 'V';

// The application dispatches every key itself after the browser has seen it, so the
// page's edit boxes get these keys in any case; offered to the browser as well, Backspace
// and the arrows could move it through its history and Ctrl+V would paste a second time.
// They are withheld whatever modifier keys are held.
[[nodiscard]] bool IsWithheldKey(WPARAM key) {
  return key == VK_BACK || key == VK_LEFT || key == VK_RIGHT || key == kKeyV;
}

}  // namespace

void TForm1::ApplicationEvents1Message(MSG& Msg, bool& Handled) {
  if (!CppWebBrowser1) {
    Handled = false;
    return;
  }
  // A loading page has no accelerators to offer yet.
  if (CppWebBrowser1->Busy()) return;
  // The lookup is kept once it succeeds; until the browser has shown a page it has no
  // application object and the lookup is tried again with the next message.
  if (!FActiveObject) {
    if (IDispatch* application = CppWebBrowser1->Application()) {
      FActiveObject = QueryInterface<IOleInPlaceActiveObject>(application);
    }
  }
  if (!FActiveObject) return;
  if ((Msg.message == WM_KEYDOWN || Msg.message == WM_KEYUP) && IsWithheldKey(Msg.wParam)) return;
  // The browser's verdict is not needed: the application translates and dispatches every
  // message afterwards in any case.
  (void)FActiveObject->TranslateAccelerator(&Msg);
}
