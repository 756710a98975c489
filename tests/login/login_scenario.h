#pragma once
// A started login window whose version check has passed, with helpers to press the login
// button the way the platform delivers a click and to read the requests it sent.

#include <string>

#include "tests/login/reference_md5.h"
#include "tests/support/program_fixture.h"

class LoginScenario : public ProgramFixture {
 protected:
  void StartCurrent() {
    ServeEndpoint("client_get_param", "1.00|http://u/x|60");
    ServeEndpoint("client_login_ad", "<p>ad</p>");
    Start();
  }
  // The click goes through the application's dispatch, so an error it raises ends up in
  // the standard error box as it would for the user.
  void ClickLogin() {
    application->Dispatch([this] { form->sBitBtn1->Click(); });
    Settle();
  }
  void Type(const std::string& userId, const std::string& password) {
    form->sEdit1->Text = userId;
    form->sEdit2->Text = password;
  }
  [[nodiscard]] static std::string Base() { return AnsiToUtf8(ServiceBase()); }
  // Navigations of CppWebBrowser1 to exactly this address, with this stage.
  [[nodiscard]] int Navigations(const std::string& url, int stage) const {
    return CountEvents({"\"navigate\"", "\"browser\":\"CppWebBrowser1\"", "\"url\":\"" + url + "\"",
                        "\"stage\":" + std::to_string(stage) + "}"});
  }
  [[nodiscard]] int Navigations(int stage) const {
    return CountEvents({"\"navigate\"", "\"browser\":\"CppWebBrowser1\"", "\"stage\":" + std::to_string(stage) + "}"});
  }
};
