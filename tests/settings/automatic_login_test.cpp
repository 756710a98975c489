// Applying the loaded account: the user number, the check boxes and the automatic login.

#include <gtest/gtest.h>

#include <string>

#include "tests/settings/account_scenario.h"

namespace {

class AutomaticLogin : public AccountScenario {};

TEST_F(AutomaticLogin, ASavedAutomaticLoginStartsByItselfAtTheNextStart) {
  ServeEndpoint("client_get_nonce", "n");
  ServeEndpoint("client_login", "FALSE|R");
  StartCurrent();
  Type(" 42 ", " pw ");
  form->sCheckBox2->Checked = true;
  Answer(IDOK);  // "登陆失败:R" of the manual login
  ClickLogin();

  const std::size_t mark = desktop.Transcript().size();
  desktop.SetClock(1700000000);
  Answer(IDOK);  // "登陆失败:R" of the automatic login
  Restart();
  EXPECT_EQ(form->sEdit1->Text, "42");
  EXPECT_EQ(form->sEdit2->Text, "");
  EXPECT_TRUE(form->sCheckBox1->Checked);
  EXPECT_TRUE(form->sCheckBox2->Checked);
  EXPECT_EQ(Inspect().FAutoRun(), "1");
  const std::string stored = ReferenceMd5Hex("pw");
  EXPECT_EQ(Inspect().FSavedPassword().bytes(), stored);
  EXPECT_EQ(CountSince(mark, {"\"navigate\"", "\"url\":\"" + Base() + "client_get_nonce?userid=42\"", "\"stage\":2"}), 1);
  const std::string signature = ReferenceMd5Hex(kSigningToken + "1700000000" + "n" + "42");
  EXPECT_EQ(CountSince(mark, {"\"navigate\"",
                              "\"url\":\"" + Base() + "client_login?userid=42&pwd=" + stored +
                                  "&timestamp=1700000000&nonce=n&signature=" + signature + "\"",
                              "\"stage\":3"}),
            1);
  // The failed automatic login hands the button back to the user.
  EXPECT_TRUE(form->sBitBtn1->Enabled);
}

TEST_F(AutomaticLogin, TheStoredValuesAreSentAsStored) {
  Store(" 42 ", "not a digest&x=1", "1");
  ServeEndpoint("client_get_nonce", "n");
  desktop.SetClock(1700000000);
  Answer(IDOK);  // "登陆异常！"
  Answer(IDOK);  // "登陆失败:"
  StartCurrent();
  EXPECT_EQ(form->sEdit1->Text, " 42 ");
  EXPECT_EQ(Navigations(Base() + "client_get_nonce?userid=%2042%20", 2), 1);
  const std::string signature = ReferenceMd5Hex(kSigningToken + "1700000000" + "n" + "42");
  EXPECT_EQ(Navigations(Base() + "client_login?userid=42&pwd=not%20a%20digest%26x%3D1&timestamp=1700000000&nonce=n" +
                            "&signature=" + signature,
                        3),
            1);
}

TEST_F(AutomaticLogin, AStoredAutoRunWithoutAUserNumberLeavesTheButtonEnabled) {
  desktop.Hive().SetString(kKey, "AutoRun", "1");
  desktop.Hive().SetString(kKey, "Password", "digest");
  StartCurrent();
  EXPECT_TRUE(form->sBitBtn1->Enabled);
  EXPECT_TRUE(form->sCheckBox2->Checked);
  EXPECT_FALSE(form->sCheckBox1->Checked);
  EXPECT_EQ(Navigations(2), 0);
  EXPECT_EQ(form->CppWebBrowser1->Tag, 1);
}

TEST_F(AutomaticLogin, LoadingAutoRunWithoutAUserNumberEnablesADisabledButton) {
  StartCurrent();
  desktop.Hive().SetString(kKey, "AutoRun", "1");
  form->sBitBtn1->Enabled = false;
  Inspect().LoadAccount();
  EXPECT_TRUE(form->sBitBtn1->Enabled);
  EXPECT_EQ(Navigations(2), 0);
}

class AutoRunFlag : public AutomaticLogin, public ::testing::WithParamInterface<const char*> {};

TEST_P(AutoRunFlag, AnythingButExactlyOneIsNoAutomaticLogin) {
  Store("42", "digest", GetParam());
  StartCurrent();
  EXPECT_EQ(form->sEdit1->Text, "42");
  EXPECT_TRUE(form->sCheckBox1->Checked);
  EXPECT_FALSE(form->sCheckBox2->Checked);
  EXPECT_TRUE(form->sBitBtn1->Enabled);
  EXPECT_EQ(Navigations(2), 0);
  EXPECT_EQ(Inspect().FAutoRun().bytes(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Flags, AutoRunFlag, ::testing::Values("0", " 1", "1 ", "yes", "", "11"));

TEST_F(AutomaticLogin, AMissingAutoRunReadsAsZero) {
  desktop.Hive().SetString(kKey, "UserId", "42");
  StartCurrent();
  EXPECT_EQ(Inspect().FAutoRun(), "0");
  EXPECT_EQ(Inspect().FSavedPassword(), "");
  EXPECT_EQ(Navigations(2), 0);
}

}  // namespace
