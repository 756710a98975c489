// The tray icon's menu: exit with the usual question, and the About box.

#include "app/Unit1.h"

void TForm1::N1Click(TObject*) {
  // Mode 1 makes the close query ask, so the program ends only on the user's Yes.
  FCloseMode = 1;
  Close();
}

void TForm1::N2Click(TObject*) {
  App().Api().MessageBoxA(App().Handle(), "\n\n翔羚vor\n\n版本号" + FVersion + "\n\n感谢使用翔羚vor短信客户端",
                          "关于翔羚vor", MB_OK | MB_ICONINFORMATION);
}
