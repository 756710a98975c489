#pragma once
// A window logged in the way the user does it, showing a web client page with the two
// marker fields, and the gestures that the monitor reacts to.

#include <string>
#include <vector>

#include "tests/support/program_fixture.h"

class MonitorScenario : public ProgramFixture {
 protected:
  static constexpr const char* kClientAddress = "http://client.test/web";
  static constexpr const char* kMarkerPage =
      R"(<input id="client_new_msg" value="0"><input id="client_exit" value="0">)";

  // Version check with a poll of 5 seconds, a manual login, and the web client page.
  void StartInClient(const std::string& page = kMarkerPage) {
    ServeEndpoint("client_get_param", "1.00|x|5");
    ServeEndpoint("client_get_nonce", "n1");
    ServeEndpoint("client_login", std::string("TRUE|") + kClientAddress);
    desktop.WebPages().Serve(kClientAddress, page);
    Start();
    form->sEdit1->Text = "13900001111";
    form->sEdit2->Text = "secret";
    application->Dispatch([this] { form->sBitBtn1->Click(); });
    Settle();
    ASSERT_EQ(form->CppWebBrowser1->Tag, 9);
    ASSERT_TRUE(form->Timer2->Enabled());
  }

  // What the page's own script does: puts a value into every INPUT with the id.
  void SetField(const WideString& id, const WideString& value) {
    ASSERT_GT(form->CppWebBrowser1->View().Document()->SetInputValues(id, value), 0);
  }
  // The values of the INPUT elements with the id, in document order.
  [[nodiscard]] std::vector<WideString> FieldValues(const WideString& id) const {
    std::vector<WideString> values;
    for (const HtmlElement* element : form->CppWebBrowser1->View().Document()->All()) {
      if (element->IsInput() && element->Id() == id) values.push_back(element->Value());
    }
    return values;
  }

  // The minimize button of the window: the command reaches the application window.
  void Minimize() {
    application->Loop().PostMessage(application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE);
    Settle();
  }
  // The shell's notice about the tray icon: a mouse message or a balloon notice.
  void TrayNotice(LPARAM notice) {
    application->Loop().PostMessage(form->TrayIcon1->GetHandle(), form->TrayIcon1->Record().uCallbackMessage, 0,
                                    notice);
    Settle();
  }

  // Balloons of the new-message poll that the shell has been given so far.
  [[nodiscard]] int NewMessageBalloons() const {
    return CountEvents({"\"shell_notify\"", U8(u8"\"szInfoTitle\":\"短信提醒\"")});
  }
  [[nodiscard]] int ErrorBoxes() const { return CountEvents({"\"event\":\"error\""}); }
  [[nodiscard]] int CloseQuestions() const { return CountEvents({"\"messagebox\"", U8(u8"系统退出提醒")}); }
};
