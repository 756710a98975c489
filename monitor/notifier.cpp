// The new-message poll: it runs while the window is minimized to the tray and announces
// the messages that the web client page counts in its "client_new_msg" field.

#include "app/Unit1.h"
#include "monitor/balloon_text.h"
#include "monitor/marker_value.h"

void TForm1::ApplicationEvents1Minimize(TObject*) {
  // During login there is no web client to watch; the window still goes to the tray.
  if (CppWebBrowser1->Tag == 9) Timer1->SetEnabled(true);
  TrayIcon1->Minimize();
}

void TForm1::TrayIcon1Minimize(TObject*) {
  // Messages counted while the window was shown have been seen there; only those that
  // arrive while it is in the tray are announced.
  (void)AccessPageField(CppWebBrowser1, "client_new_msg", "0");
}

void TForm1::Timer1Timer(TObject*) {
  const AnsiString count = AccessPageField(CppWebBrowser1, "client_new_msg", "0");
  if (MarkerRaised(count)) TrayIcon1->ShowBalloon("短信提醒", NewMessageBalloonText(count), App().Icon);
}

void TForm1::TrayIcon1Restore(TObject*) {
  Timer1->SetEnabled(false);
  TrayIcon1->SetAnimate(false);
  // Empty title and text take down a balloon that is still up.
  TrayIcon1->ShowBalloon("", "", App().Icon);
  TrayIcon1->SetIconIndex(0);
}
