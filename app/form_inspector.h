#pragma once
// A look inside the window for the simulated desktop's driver and the tests: its private
// fields, and its private operations to call one at a time.

#include "app/Unit1.h"

class FormInspector final {
 public:
  explicit FormInspector(TForm1& form) : form_(form) {}

  [[nodiscard]] const AnsiString& FVersion() const { return form_.FVersion; }
  [[nodiscard]] const AnsiString& FNonce() const { return form_.FNonce; }
  [[nodiscard]] const AnsiString& FSavedUserId() const { return form_.FSavedUserId; }
  [[nodiscard]] const AnsiString& FSavedPassword() const { return form_.FSavedPassword; }
  [[nodiscard]] const AnsiString& FAutoRun() const { return form_.FAutoRun; }
  [[nodiscard]] int FCloseMode() const { return form_.FCloseMode; }
  [[nodiscard]] IOleInPlaceActiveObject* FActiveObject() const { return form_.FActiveObject; }

  void SetCloseMode(int mode) { form_.FCloseMode = mode; }
  void SetAutoRun(const AnsiString& flag) { form_.FAutoRun = flag; }
  void SetNonce(const AnsiString& nonce) { form_.FNonce = nonce; }
  void SetSavedPassword(const AnsiString& password) { form_.FSavedPassword = password; }

  void RequestNonce() { form_.RequestNonce(); }
  void SendLoginRequest() { form_.SendLoginRequest(); }
  [[nodiscard]] AnsiString GetPageText() { return form_.GetPageText(); }
  void EnterClientMode() { form_.EnterClientMode(); }
  void LoadAccount() { form_.LoadAccount(); }
  void SaveAccount(const AnsiString& userId, const AnsiString& password, const AnsiString& autoRun) {
    form_.SaveAccount(userId, password, autoRun);
  }
  [[nodiscard]] AnsiString AccessPageField(TCppWebBrowser* browser, const AnsiString& fieldId,
                                           const AnsiString& newValue) {
    return form_.AccessPageField(browser, fieldId, newValue);
  }

 private:
  TForm1& form_;
};
