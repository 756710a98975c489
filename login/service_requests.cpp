// The two requests that depend on the user's input. Each one fixes the stage before it
// navigates, so that the reply's document completion finds the stage of its own request.

#include "app/Unit1.h"
#include "digest/md5hex.h"
#include "login/request_addresses.h"

void TForm1::RequestNonce() {
  if (sEdit1->Text.IsEmpty()) return;
  // An automatic login has no password in the edit; the stored value stands in for it.
  if (sEdit2->Text.IsEmpty() && FAutoRun != "1") return;
  CppWebBrowser1->Tag = 2;
  CppWebBrowser1->Navigate(AnsiToWide(NonceAddress(sEdit1->Text)));
}

void TForm1::SendLoginRequest() {
  CppWebBrowser1->Tag = 3;
  const AnsiString password = FAutoRun == "1" ? FSavedPassword : Md5Hex(Trim(sEdit2->Text));
  // The clock is read once, so the address carries exactly the time that was signed.
  const LoginValues values{Trim(sEdit1->Text), password, IntToStr(App().Api().time()), FNonce};
  CppWebBrowser1->Navigate(AnsiToWide(LoginAddress(values)));
}
