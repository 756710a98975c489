#include "tray/trayicon.h"

#include "tray/record_text.h"

void TTrayIcon::ShowBalloon(const AnsiString& Title, const AnsiString& Text, const TIcon& Icon) {
  // Update puts the current icon back before anything is sent, so the picture in the tray
  // never changes here.
  FData.hIcon = Icon.Handle;
  CopyToRecordField(FData.szInfoTitle, Title);
  CopyToRecordField(FData.szInfo, Text);
  CopyToRecordField(FData.szTip, Title + "\n" + Text);
  // The title and text stay in the record, so every later change shows the balloon again;
  // empty ones ask the shell to take it down.
  Update();
}
