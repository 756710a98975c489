// Saving and loading the account: the check boxes, the two stores and their errors.

#include <gtest/gtest.h>

#include <string>

#include "tests/settings/account_scenario.h"

namespace {

class AccountStore : public AccountScenario {};

struct BoxesCase {
  const char* name;
  bool saveNumber;
  bool autoLogin;
  std::string userId;
  std::string password;  // "digest" stands for the digest of the trimmed password
  std::string autoRun;
};

class SaveByCheckBoxes : public AccountStore, public ::testing::WithParamInterface<BoxesCase> {};

TEST_P(SaveByCheckBoxes, WritesTheStoreAsTheBoxesAsk) {
  // An earlier automatic-login save; its own login at start fails on the empty nonce reply.
  Store("old", "oldpassword", "1");
  Answer(IDOK);
  StartCurrent();
  Type(" 42 ", " secret ");
  form->sCheckBox1->Checked = GetParam().saveNumber;
  form->sCheckBox2->Checked = GetParam().autoLogin;
  Answer(IDOK);  // the empty nonce reply of the click
  ClickLogin();
  const std::string password = GetParam().password == "digest" ? ReferenceMd5Hex("secret") : GetParam().password;
  EXPECT_EQ(Stored("UserId"), GetParam().userId);
  EXPECT_EQ(Stored("Password"), password);
  EXPECT_EQ(Stored("AutoRun"), GetParam().autoRun);
  EXPECT_EQ(Navigations(Base() + "client_get_nonce?userid=%2042%20", 2), 1);
  EXPECT_FALSE(std::filesystem::exists(ConfigFile()));
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, SaveByCheckBoxes,
    ::testing::Values(BoxesCase{"AutoLogin", false, true, "42", "digest", "1"},
                      BoxesCase{"BothBoxes", true, true, "42", "digest", "1"},
                      BoxesCase{"SaveNumberOnly", true, false, "42", "", "0"},
                      BoxesCase{"NeitherKeepsTheStore", false, false, "old", "oldpassword", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AccountStore, CancellingAutomaticLoginClearsTheStoreAndLeavesTheWindow) {
  Store("42", "digest", "1");
  Answer(IDOK);  // the empty nonce reply of the automatic login
  StartCurrent();
  application->Dispatch([this] { form->N3->Click(); });
  EXPECT_EQ(Stored("UserId"), "");
  EXPECT_EQ(Stored("Password"), "");
  EXPECT_EQ(Stored("AutoRun"), "0");
  EXPECT_EQ(form->sEdit1->Text, "42");
  EXPECT_TRUE(form->sCheckBox2->Checked);
  EXPECT_EQ(Inspect().FAutoRun(), "1");
  // The next start shows no number and no ticked box.
  Restart();
  EXPECT_EQ(form->sEdit1->Text, "");
  EXPECT_FALSE(form->sCheckBox1->Checked);
  EXPECT_FALSE(form->sCheckBox2->Checked);
  EXPECT_TRUE(form->sBitBtn1->Enabled);
}

TEST_F(AccountStore, ValueNamesMatchWithoutRegardToCase) {
  desktop.Hive().SetString(kKey, "USERID", "42");
  desktop.Hive().SetString(kKey, "password", "p");
  desktop.Hive().SetString(kKey, "autorun", "0");
  StartCurrent();
  EXPECT_EQ(form->sEdit1->Text, "42");
  EXPECT_EQ(Inspect().FSavedPassword(), "p");
}

TEST_F(AccountStore, AnEmptyRegistryKeyWinsOverTheSettingsFile) {
  desktop.Hive().SetString(kKey, "Other", "x");
  WriteConfig("[ACCOUNT]\r\nUserId=77\r\nAutoRun=1\r\n");
  StartCurrent();
  EXPECT_EQ(form->sEdit1->Text, "");
  EXPECT_FALSE(form->sCheckBox1->Checked);
  EXPECT_EQ(Inspect().FAutoRun(), "0");
  EXPECT_EQ(Navigations(2), 0);
}

TEST_F(AccountStore, ARefusedRegistryFallsBackToTheSettingsFile) {
  desktop.Hive().SetDenied(true);
  WriteConfig("; kept\r\n[other]\r\nx = 1\r\n[account]\r\n  userid = 77  \r\n");
  StartCurrent();
  EXPECT_EQ(form->sEdit1->Text, "77");
  EXPECT_TRUE(form->sCheckBox1->Checked);
  EXPECT_EQ(Inspect().FAutoRun(), "0");

  Type("78", "pw");
  form->sCheckBox2->Checked = true;
  Answer(IDOK);  // the empty nonce reply
  ClickLogin();
  EXPECT_EQ(ReadConfig(), "; kept\r\n[other]\r\nx = 1\r\n[account]\r\nuserid=78\r\nPassword=" + ReferenceMd5Hex("pw") +
                              "\r\nAutoRun=1\r\n");
  EXPECT_FALSE(desktop.Hive().HasValue(kKey, "UserId"));
  EXPECT_EQ(Navigations(2), 1);
}

TEST_F(AccountStore, TheSettingsFileIsCreatedWhenMissing) {
  desktop.Hive().SetDenied(true);
  StartCurrent();
  application->Dispatch([this] { form->N3->Click(); });
  EXPECT_EQ(ReadConfig(), "[ACCOUNT]\r\nUserId=\r\nPassword=\r\nAutoRun=0\r\n");
}

struct MissingFolderCase {
  const char* name;
  std::string folder;
  std::string path;  // as the error names it
};

class MissingFolder : public AccountStore, public ::testing::WithParamInterface<MissingFolderCase> {};

TEST_P(MissingFolder, LoadsDefaultsAndCannotSave) {
  desktop.Hive().SetDenied(true);
  desktop.SetExecutableDir(AnsiString(GetParam().folder));
  StartCurrent();
  EXPECT_TRUE(form->sBitBtn1->Enabled);
  EXPECT_EQ(form->sEdit1->Text, "");
  EXPECT_EQ(Inspect().FAutoRun(), "0");
  Type("42", "pw");
  form->sCheckBox1->Checked = true;
  Answer(IDOK);
  ClickLogin();
  EXPECT_EQ(CountEvents({"\"error\"", "\"text\":\"Unable to write to " + GetParam().path + "\""}), 1);
  EXPECT_EQ(Navigations(2), 0);
}

INSTANTIATE_TEST_SUITE_P(Folders, MissingFolder,
                         ::testing::Values(MissingFolderCase{"Unknown", "", "config.ini"},
                                           MissingFolderCase{"Gone", "/nonexistent-vor-folder/",
                                                             "/nonexistent-vor-folder/config.ini"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct WrongTypeCase {
  const char* name;
  const char* value;
  std::string savedUserId;  // what was read before the load stopped
};

class ValueOfAnotherType : public AccountStore, public ::testing::WithParamInterface<WrongTypeCase> {};

TEST_P(ValueOfAnotherType, StopsTheLoadWithItsErrorAndNoAutomaticLogin) {
  Store("42", "digest", "1");
  desktop.Hive().SetDword(HKEY_LOCAL_MACHINE, kKey, GetParam().value, 5);
  Answer(IDOK);
  StartCurrent();
  EXPECT_EQ(CountEvents({"\"error\"", "\"text\":\"Invalid data type for '" + std::string(GetParam().value) + "'\""}),
            1);
  EXPECT_EQ(Inspect().FSavedUserId().bytes(), GetParam().savedUserId);
  EXPECT_EQ(form->sEdit1->Text, "");
  EXPECT_FALSE(form->sCheckBox2->Checked);
  EXPECT_TRUE(form->sBitBtn1->Enabled);
  EXPECT_EQ(Navigations(2), 0);
}

INSTANTIATE_TEST_SUITE_P(Values, ValueOfAnotherType,
                         ::testing::Values(WrongTypeCase{"UserId", "UserId", ""},
                                           WrongTypeCase{"Password", "Password", "42"},
                                           WrongTypeCase{"AutoRun", "AutoRun", "42"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AccountStore, AFailedSaveEndsTheClickAndLosesNothing) {
  Store("old", "oldpassword", "0");
  StartCurrent();
  desktop.Hive().FailWrites(true);
  Inspect().SetAutoRun("1");
  Type("42", "pw");
  form->sCheckBox2->Checked = true;
  Answer(IDOK);
  ClickLogin();
  EXPECT_EQ(CountEvents({"\"error\"", "\"text\":\"Failed to set data for 'UserId'\""}), 1);
  EXPECT_EQ(Navigations(2), 0);
  EXPECT_EQ(Inspect().FAutoRun(), "1");
  EXPECT_EQ(Stored("UserId"), "old");
  EXPECT_EQ(Stored("Password"), "oldpassword");
  EXPECT_EQ(Stored("AutoRun"), "0");
  EXPECT_FALSE(std::filesystem::exists(ConfigFile()));
}

}  // namespace
