// The saved account: a registry key, or, where that key cannot be opened or created, a
// section of "config.ini" next to the executable. The store is chosen afresh at every load
// and save, by whether the key can be opened at that moment.

#include "app/Unit1.h"
#include "platform/inifile.h"
#include "platform/registry.h"
#include "settings/account_file.h"

namespace {

constexpr const char* kAccountKey = "\\Software\\xiangling";
constexpr const char* kAccountSection = "ACCOUNT";

}  // namespace

void TForm1::LoadAccount() {
  TRegistry registry(App().desktop().Registry());
  registry.RootKey = HKEY_LOCAL_MACHINE;
  if (registry.OpenKey(kAccountKey, true)) {
    // Each item is read into its field before the next is looked at: a value of another
    // type stops the load there, and the account is not applied.
    FSavedUserId = registry.ValueExists("UserID") ? registry.ReadString("UserId") : AnsiString();
    FSavedPassword = registry.ValueExists("Password") ? registry.ReadString("Password") : AnsiString();
    FAutoRun = registry.ValueExists("AutoRun") ? registry.ReadString("AutoRun") : AnsiString("0");
    ApplyAccount();
    registry.CloseKey();
    return;
  }
  const std::optional<AnsiString> path = AccountFilePath(App().desktop().ExecutableDir());
  if (!path) {
    // Without a folder there is no file, and a missing file holds the defaults.
    FSavedUserId = "";
    FSavedPassword = "";
    FAutoRun = "0";
    ApplyAccount();
    return;
  }
  const TIniFile file(*path);
  FSavedUserId = file.ReadString(kAccountSection, "UserId", "");
  FSavedPassword = file.ReadString(kAccountSection, "Password", "");
  FAutoRun = file.ReadString(kAccountSection, "AutoRun", "0");
  ApplyAccount();
}

void TForm1::SaveAccount(const AnsiString& userId, const AnsiString& password, const AnsiString& autoRun) {
  TRegistry registry(App().desktop().Registry());
  registry.RootKey = HKEY_LOCAL_MACHINE;
  if (registry.OpenKey(kAccountKey, true)) {
    registry.WriteString("UserId", userId);
    registry.WriteString("Password", password);
    registry.WriteString("AutoRun", autoRun);
    registry.CloseKey();
    return;
  }
  const std::optional<AnsiString> path = AccountFilePath(App().desktop().ExecutableDir());
  if (!path) throw EIniFileException(FormatMessage("Unable to write to %s", "config.ini"));
  TIniFile file(*path);
  file.WriteString(kAccountSection, "UserId", userId);
  file.WriteString(kAccountSection, "Password", password);
  file.WriteString(kAccountSection, "AutoRun", autoRun);
}

void TForm1::ApplyAccount() {
  if (!FSavedUserId.IsEmpty()) {
    sEdit1->Text = FSavedUserId;
    sCheckBox1->Checked = true;
  }
  if (FAutoRun != "1") return;
  sCheckBox2->Checked = true;
  if (sEdit1->Text.IsEmpty()) {
    // The automatic login cannot start without a user number, and nothing else would
    // enable the button again: the user must still be able to log in by hand.
    sBitBtn1->Enabled = true;
    return;
  }
  sBitBtn1->Enabled = false;
  // RequestNonce accepts the empty password edit because FAutoRun is "1"; the login
  // request then sends the stored password value.
  RequestNonce();
}

// The change takes effect at the next start; the running client is left as it is.
void TForm1::N3Click(TObject*) { SaveAccount("", "", "0"); }
