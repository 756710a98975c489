// The conversation with the service, from the version check to the web client. Every
// reply arrives as a document completion of CppWebBrowser1, and the stage that its Tag
// holds at that moment says which request the page answers: 1 parameters, 2 nonce,
// 3 login, 9 web client.

#include "app/Unit1.h"
#include "login/parameter_values.h"
#include "login/reply_fields.h"

void TForm1::CppWebBrowser1DocumentComplete(TObject*, IDispatch* pDisp, const WideString&) {
  // Frames inside a page complete too; only the page itself is a reply.
  if (pDisp != CppWebBrowser1->DefaultDispatch()) return;

  switch (CppWebBrowser1->Tag) {
    case 1: {
      const std::optional<ParametersReply> reply = ParseParametersReply(GetPageText());
      if (!reply) return;
      // The interval is set before the version is looked at, so an outdated client keeps
      // it for the rest of its run as well.
      Timer1->SetInterval(PollIntervalMs(StrToInt(reply->seconds)));
      if (reply->version != FVersion) {
        App().Api().MessageBoxA(App().Handle(), "有新版本，需要更新...", "版本更新", MB_ICONINFORMATION);
        if (IsWebAddress(reply->updateAddress)) {
          App().Api().ShellExecuteA(Handle(), "open", reply->updateAddress, "", "", SW_SHOW);
        }
        FCloseMode = 1;
        Close();
        return;
      }
      sBitBtn1->Enabled = true;
      LoadAccount();
      return;
    }
    case 2:
      FNonce = GetPageText();
      if (FNonce.IsEmpty()) {
        // The button keeps its state: enabled after a click, disabled in an automatic login.
        App().ShowMessage("获取账号失败！");
        return;
      }
      SendLoginRequest();
      return;
    case 3: {
      const LoginReply reply = ParseLoginReply(GetPageText());
      if (!reply.separated) App().ShowMessage("登陆异常！");
      if (IsLoginSuccess(reply)) {
        sLabel3->Caption = "登陆成功，请稍候...";
        CppWebBrowser1->Tag = 9;
        CppWebBrowser1->Navigate(AnsiToWide(reply.detail));
        return;
      }
      App().ShowMessage("登陆失败:" + reply.detail);
      sBitBtn1->Enabled = true;
      return;
    }
    case 9:
      // Stage 9 is never left: every later page of the web client lands here again.
      FCloseMode = 0;
      EnterClientMode();
      return;
    default:
      return;
  }
}
