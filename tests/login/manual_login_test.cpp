// The login button: what it checks, and the two requests of a manual login.

#include <gtest/gtest.h>

#include <string>

#include "tests/login/login_scenario.h"

namespace {

class ManualLogin : public LoginScenario {};

struct RequestCase {
  const char* name;
  std::string typedUserId;
  std::string typedPassword;
  std::string nonceUtf8;         // as the service's page carries it
  std::string untrimmedEncoded;  // the user number in the nonce request
  std::string trimmedUserId;     // raw, as signed
  std::string trimmedEncoded;
  std::string trimmedPassword;   // raw, as hashed
  std::string nonceEncoded;
};

class ManualLoginRequests : public ManualLogin, public ::testing::WithParamInterface<RequestCase> {};

TEST_P(ManualLoginRequests, NonceRequestIsUntrimmedAndLoginRequestSignedOverRawTexts) {
  const RequestCase& c = GetParam();
  ServeEndpoint("client_get_nonce", c.nonceUtf8);
  ServeEndpoint("client_login", "FALSE|R");
  StartCurrent();
  desktop.SetClock(1700000123);
  Type(c.typedUserId, c.typedPassword);
  Answer(IDOK);  // "登陆失败:R"
  ClickLogin();

  EXPECT_EQ(Navigations(Base() + "client_get_nonce?userid=" + c.untrimmedEncoded, 2), 1);
  const std::string nonce = Utf8ToAnsi(c.nonceUtf8).bytes();
  EXPECT_EQ(Inspect().FNonce().bytes(), nonce);
  const std::string signature = ReferenceMd5Hex(kSigningToken + "1700000123" + nonce + c.trimmedUserId);
  EXPECT_EQ(Navigations(Base() + "client_login?userid=" + c.trimmedEncoded +
                            "&pwd=" + ReferenceMd5Hex(c.trimmedPassword) + "&timestamp=1700000123&nonce=" +
                            c.nonceEncoded + "&signature=" + signature,
                        3),
            1);
  EXPECT_EQ(Navigations(2), 1);
  EXPECT_EQ(Navigations(3), 1);
  EXPECT_EQ(Inspect().FAutoRun(), "0");
  EXPECT_EQ(CountEvents({"\"showmessage\"", U8(u8"\"text\":\"登陆失败:R\"")}), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ManualLoginRequests,
    ::testing::Values(
        RequestCase{"Plain", "13900001111", "secret", "abc123", "13900001111", "13900001111", "13900001111", "secret",
                    "abc123"},
        RequestCase{"BlanksAndSeparators", " 12&3=4 ", " pass word ", "n&=#+", "%2012%263%3D4%20", "12&3=4",
                    "12%263%3D4", "pass word", "n%26%3D%23%2B"},
        RequestCase{"ControlBytesAreTrimmed", "\t42\x01", "\x1Fpw\r\n", "x", "%0942%01", "42", "42", "pw", "x"},
        // Non-ASCII texts are hashed and encoded as their code-page-936 bytes.
        RequestCase{"NonAscii", "号码", "密码", reinterpret_cast<const char*>(u8"随机"), "%BA%C5%C2%EB", "号码",
                    "%BA%C5%C2%EB", "密码", "%CB%E6%BB%FA"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ManualLogin, TheTimestampIsTheClockWhenTheLoginRequestLeaves) {
  ServeEndpoint("client_get_nonce", "n");
  StartCurrent();
  desktop.SetClock(1234567890);
  desktop.WebPages().SetLatency(2500);
  Type("7", "p");
  ClickLogin();
  Settle(2500);  // the nonce reply arrives and the login request leaves now
  const std::int64_t sent = desktop.UnixSeconds();
  ASSERT_GT(sent, 1234567890);
  Answer(IDOK);  // "登陆异常！"
  Answer(IDOK);  // "登陆失败:"
  Settle(2500);
  const std::string timestamp = std::to_string(sent);
  const std::string signature = ReferenceMd5Hex(kSigningToken + timestamp + "n" + "7");
  EXPECT_EQ(Navigations(Base() + "client_login?userid=7&pwd=" + ReferenceMd5Hex("p") + "&timestamp=" + timestamp +
                            "&nonce=n&signature=" + signature,
                        3),
            1);
}

struct BlankCase {
  std::string userId;
  std::string password;
};

class BlankEntries : public ManualLogin, public ::testing::WithParamInterface<BlankCase> {};

TEST_P(BlankEntries, DoNothingAtAll) {
  StartCurrent();
  Type(GetParam().userId, GetParam().password);
  form->sCheckBox1->Checked = true;
  form->sCheckBox2->Checked = true;
  Inspect().SetAutoRun("1");
  ClickLogin();
  EXPECT_EQ(Navigations(2), 0);
  EXPECT_EQ(form->CppWebBrowser1->Tag, 1);
  EXPECT_EQ(Inspect().FAutoRun(), "1");
  EXPECT_FALSE(desktop.Hive().HasValue("\\Software\\xiangling", "UserId"));
}

INSTANTIATE_TEST_SUITE_P(Entries, BlankEntries,
                         ::testing::Values(BlankCase{"", "p"}, BlankCase{"  ", "p"}, BlankCase{"\t\x01 ", "p"},
                                           BlankCase{"42", ""}, BlankCase{"42", " \t\r\n"}, BlankCase{"", ""}));

TEST_F(ManualLogin, SecondClickSendsANewNonceRequest) {
  StartCurrent();
  Type("42", "p");
  // No nonce page is served yet: the first reply is empty and reports the failure.
  Answer(IDOK);
  ClickLogin();
  EXPECT_EQ(CountEvents({"\"showmessage\"", U8(u8"\"text\":\"获取账号失败！\"")}), 1);
  EXPECT_EQ(form->CppWebBrowser1->Tag, 2);
  EXPECT_TRUE(form->sBitBtn1->Enabled);
  EXPECT_EQ(Navigations(3), 0);
  ServeEndpoint("client_get_nonce", "n");
  Answer(IDOK);  // "登陆异常！"
  Answer(IDOK);  // "登陆失败:"
  ClickLogin();
  EXPECT_EQ(Navigations(Base() + "client_get_nonce?userid=42", 2), 2);
  EXPECT_EQ(Navigations(3), 1);
  EXPECT_EQ(Inspect().FNonce(), "n");
}

}  // namespace
