#include "tray/trayicon.h"

#include "platform/application.h"

void TTrayIcon::Minimize() {
  TApplication& application = App();
  // The application does nothing when it is minimized already, but its window is hidden
  // every time: that takes its button off the taskbar.
  application.Minimize();
  application.Api().ShowWindow(application.Handle(), SW_HIDE);
  if (OnMinimize) OnMinimize(this);
}

void TTrayIcon::Restore() {
  TApplication& application = App();
  application.Restore();
  application.Api().ShowWindow(application.Handle(), SW_RESTORE);
  application.Api().SetForegroundWindow(application.Handle());
  if (OnRestore) OnRestore(this);
}

bool TTrayIcon::ApplicationHookProc(TMessage& Message) {
  if (Message.Msg == WM_SYSCOMMAND) {
    // The whole wParam is compared, so a command with its low bits set does not match.
    if (Message.WParam == SC_MINIMIZE) Minimize();
    if (Message.WParam == SC_RESTORE) Restore();
  }
  // The application goes on to handle the command itself.
  return false;
}
