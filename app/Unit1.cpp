#include "app/Unit1.h"

#include "login/service_address.h"

TForm1::TForm1(TComponent* Owner) : TForm(Owner) {
  ReadLayout();
  CppWebBrowser2->Width = 0;
  sLabel3->Caption = "系统初始化中...";
  sBitBtn1->Enabled = false;
  // Integer division truncates toward zero, so a window wider than the screen by an odd
  // number of pixels sits half a pixel further left.
  Left = (App().Screen().Width() - Width()) / 2;
  Top = (App().Screen().Height() - Height()) / 2;
  FCloseMode = 1;
  FNonce = "";
  FSavedUserId = "";
  FSavedPassword = "";
  FAutoRun = "0";
  FVersion = "1.00";
  TrayIcon1->SetHide(true);
  TrayIcon1->SetVisible(true);
  CppWebBrowser1->Tag = 1;
  CppWebBrowser1->Navigate(AnsiToWide(ServiceBase() + "client_get_param"));
  CppWebBrowser2->Navigate(AnsiToWide(ServiceBase() + "client_login_ad"));
}

TForm1::~TForm1() {
  // The components go while the handlers they point to still exist.
  DestroyComponents();
}

void TForm1::FormCreate(TObject*) { (void)App().Api().OleInitialize(nullptr); }

void TForm1::FormCloseQuery(TObject*, bool& CanClose) {
  if (FCloseMode == 2) {
    CanClose = true;
    return;
  }
  CanClose = App().Api().MessageBoxA(App().Handle(), "\n你确定要退出吗？\n", "系统退出提醒", MB_YESNO) == IDYES;
}
