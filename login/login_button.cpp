// The login button: saves the account as the check boxes ask, then starts a manual login.

#include "app/Unit1.h"
#include "digest/md5hex.h"

void TForm1::sBitBtn1Click(TObject*) {
  const AnsiString userId = Trim(sEdit1->Text);
  if (userId.IsEmpty()) return;
  const AnsiString password = Trim(sEdit2->Text);
  if (password.IsEmpty()) return;
  // A failed save raises and ends the click here: no request goes out and FAutoRun keeps
  // its value.
  if (sCheckBox2->Checked) {
    SaveAccount(userId, Md5Hex(password), "1");
  } else if (sCheckBox1->Checked) {
    SaveAccount(userId, "", "0");
  }
  FAutoRun = "0";
  RequestNonce();
}
