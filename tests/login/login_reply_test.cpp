// The nonce and login replies, and the web client that a successful login opens.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "tests/login/login_scenario.h"

namespace {

class LoginReplies : public LoginScenario {
 protected:
  // A stored automatic login: the button is disabled while it runs, so a failure's
  // re-enabling shows.
  void StartAutomaticLogin() {
    desktop.Hive().SetString("\\Software\\xiangling", "UserId", "42");
    desktop.Hive().SetString("\\Software\\xiangling", "Password", "stored");
    desktop.Hive().SetString("\\Software\\xiangling", "AutoRun", "1");
    StartCurrent();
  }
};

TEST_F(LoginReplies, EmptyNonceReportsTheFailureAndKeepsTheButtonState) {
  Answer(IDOK);
  StartAutomaticLogin();
  EXPECT_EQ(CountEvents({"\"showmessage\"", U8(u8"\"text\":\"获取账号失败！\"")}), 1);
  EXPECT_EQ(form->CppWebBrowser1->Tag, 2);
  EXPECT_FALSE(form->sBitBtn1->Enabled);
  EXPECT_EQ(Navigations(3), 0);
  EXPECT_EQ(Inspect().FNonce(), "");
}

struct FailureCase {
  const char* name;
  std::string reply;
  bool irregular;            // no separator: "登陆异常！" comes first
  std::string shownUtf8;     // what follows "登陆失败:"
};

class LoginFailure : public LoginReplies, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(LoginFailure, ShowsTheMessagesAndEnablesTheButton) {
  ServeEndpoint("client_get_nonce", "n");
  ServeEndpoint("client_login", GetParam().reply);
  if (GetParam().irregular) Answer(IDOK);
  Answer(IDOK);
  StartAutomaticLogin();
  EXPECT_EQ(Navigations(3), 1);
  EXPECT_EQ(CountEvents({"\"showmessage\"", U8(u8"\"text\":\"登陆异常！\"")}), GetParam().irregular ? 1 : 0);
  EXPECT_EQ(CountEvents({"\"showmessage\"", U8(u8"\"text\":\"登陆失败:") + GetParam().shownUtf8 + "\""}), 1);
  EXPECT_EQ(CountEvents({"\"showmessage\""}), GetParam().irregular ? 2 : 1);
  EXPECT_TRUE(form->sBitBtn1->Enabled);
  EXPECT_EQ(form->CppWebBrowser1->Tag, 3);
  EXPECT_EQ(Navigations(9), 0);
  // The login window stays as it was.
  EXPECT_TRUE(form->sEdit1->Visible);
  EXPECT_EQ(form->Caption, "翔羚vor登陆");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, LoginFailure,
    ::testing::Values(FailureCase{"NoSeparator", "TRUE", true, "TRUE"}, FailureCase{"Empty", "", true, ""},
                      FailureCase{"False", "FALSE|R", false, "R"},
                      FailureCase{"FurtherSeparatorsStay", "FALSE|R|S", false, "R|S"},
                      FailureCase{"BlanksAroundTrue", " TRUE |W", false, "W"},
                      FailureCase{"ChineseReason", reinterpret_cast<const char*>(u8"0|密码错误"), false,
                                  reinterpret_cast<const char*>(u8"密码错误")}),
    [](const auto& info) { return std::string(info.param.name); });

class LoginSuccess : public LoginReplies, public ::testing::WithParamInterface<const char*> {};

TEST_P(LoginSuccess, OpensTheWebClientAndEntersTheClientLayout) {
  const std::string webClient = "http://w/client?session=1";
  ServeEndpoint("client_get_nonce", "n");
  ServeEndpoint("client_login", std::string(GetParam()) + "|" + webClient);
  desktop.WebPages().Serve(webClient, "<p>web client</p>");
  StartAutomaticLogin();

  EXPECT_EQ(form->sLabel3->Caption, "登陆成功，请稍候...");
  EXPECT_EQ(Navigations(webClient, 9), 1);
  EXPECT_EQ(form->CppWebBrowser1->Tag, 9);
  EXPECT_EQ(CountEvents({"\"showmessage\""}), 0);

  EXPECT_EQ(form->Caption, "翔羚vor");
  EXPECT_FALSE(form->sLabel3->Visible);
  EXPECT_EQ(form->CppWebBrowser2->Width, 0);
  for (const TControl* control : std::initializer_list<const TControl*>{
           form->sBitBtn1, form->sCheckBox1, form->sCheckBox2, form->sEdit1, form->sEdit2, form->sLabel1,
           form->sLabel2}) {
    EXPECT_FALSE(control->Visible) << control->Name.bytes();
  }
  EXPECT_EQ(form->CppWebBrowser1->Align, TAlign::alClient);
  EXPECT_EQ(form->CppWebBrowser1->Left, 0);
  EXPECT_EQ(form->CppWebBrowser1->Top, 0);
  EXPECT_EQ(form->CppWebBrowser1->Width, form->ClientWidth);
  EXPECT_EQ(form->CppWebBrowser1->Height, form->ClientHeight);
  EXPECT_TRUE(form->BorderIcons.biSystemMenu);
  EXPECT_TRUE(form->BorderIcons.biMinimize);
  EXPECT_FALSE(form->BorderIcons.biMaximize);
  EXPECT_EQ(CountEvents({"\"show_window\"", "\"target\":\"form\"", "\"cmd\":3"}), 1);
  EXPECT_EQ(form->WindowState, TWindowState::wsMaximized);
  EXPECT_TRUE(form->Timer2->Enabled());
  EXPECT_EQ(Inspect().FCloseMode(), 0);
}

INSTANTIATE_TEST_SUITE_P(Replies, LoginSuccess, ::testing::Values("TRUE", "true", "True", "tRUE"));

class WebClient : public LoginReplies {
 protected:
  void LogIn() {
    ServeEndpoint("client_get_nonce", "n");
    ServeEndpoint("client_login", "TRUE|http://w/client");
    desktop.WebPages().Serve("http://w/", "<p>web client</p>");
    desktop.WebPages().Serve("http://w/client", "<p>web client</p><iframe src=\"http://w/frame\"></iframe>");
    StartAutomaticLogin();
    ASSERT_EQ(CountEvents({"\"show_window\"", "\"cmd\":3"}), 1);
  }
};

TEST_F(WebClient, EveryLaterPageOfTheWebClientEntersTheLayoutAgain) {
  LogIn();
  Inspect().SetCloseMode(1);
  form->CppWebBrowser1->Navigate(u"http://w/other");
  Settle();
  EXPECT_EQ(CountEvents({"\"show_window\"", "\"cmd\":3"}), 2);
  EXPECT_EQ(Inspect().FCloseMode(), 0);
  EXPECT_EQ(form->CppWebBrowser1->Tag, 9);
}

TEST_F(WebClient, AFrameCompletionIsIgnored) {
  LogIn();
  // The web client's own frame completed before the page did, and entered nothing.
  EXPECT_EQ(CountEvents({"\"complete\"", "\"browser\":\"CppWebBrowser1\"", "http://w/frame", "\"top\":false"}), 1);
  Inspect().SetCloseMode(1);
  // Any dispatch object other than the control's own stands for a frame inside the page.
  form->CppWebBrowser1DocumentComplete(form->CppWebBrowser1, form->CppWebBrowser2->DefaultDispatch(), u"");
  EXPECT_EQ(CountEvents({"\"show_window\"", "\"cmd\":3"}), 1);
  EXPECT_EQ(Inspect().FCloseMode(), 1);
}

TEST_F(LoginReplies, StagesOutsideTheSequenceDoNothing) {
  StartCurrent();
  for (int stage : {0, 4, 8, 10, -1}) {
    form->CppWebBrowser1->Tag = stage;
    form->CppWebBrowser1->Navigate(AnsiToWide(ServiceBase() + "client_get_param"));
    Settle();
  }
  EXPECT_EQ(CountEvents({"\"showmessage\""}) + CountEvents({"\"messagebox\""}) + CountEvents({"\"error\""}), 0);
  EXPECT_EQ(Navigations(2) + Navigations(3) + Navigations(9), 0);
  EXPECT_EQ(CountEvents({"\"show_window\"", "\"cmd\":3"}), 0);
}

}  // namespace
