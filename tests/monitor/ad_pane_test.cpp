// The advertisement pane: it takes the banner's place once its page has loaded, and only
// then.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/program_fixture.h"

namespace {

struct PaneState {
  int width;
  bool banner;
  AnsiString status;
  friend bool operator==(const PaneState&, const PaneState&) = default;
};

class AdPane : public ProgramFixture {
 protected:
  [[nodiscard]] PaneState State() const {
    return {form->CppWebBrowser2->Width, form->Image1->Visible, form->sLabel3->Caption};
  }
};

TEST_F(AdPane, FramesChangeNothingAndThePageTakesOverTheBanner) {
  ServeEndpoint("client_login_ad", R"(<iframe src="http://ad.test/a"></iframe><iframe src="http://ad.test/b"></iframe>)");
  desktop.WebPages().Serve("http://ad.test/", "<p>frame</p>");
  desktop.WebPages().SetLatency(100);
  Start();
  // The pane as it stands right after each frame of the page has been handled.
  std::vector<PaneState> after_frames;
  const TWebBrowserDocumentComplete handler = form->CppWebBrowser2->OnDocumentComplete;
  form->CppWebBrowser2->OnDocumentComplete = [&](TObject* Sender, IDispatch* pDisp, const WideString& URL) {
    handler(Sender, pDisp, URL);
    if (pDisp != form->CppWebBrowser2->DefaultDispatch()) after_frames.push_back(State());
  };
  Settle(1000);
  const PaneState loading{0, true, "系统初始化中..."};
  EXPECT_EQ(after_frames, (std::vector<PaneState>{loading, loading}));
  EXPECT_EQ(State(), (PaneState{289, false, ""}));
}

TEST_F(AdPane, TheStatusLineIsClearedWhateverItShows) {
  desktop.WebPages().SetLatency(500);
  Start();
  form->sLabel3->Caption = "登陆成功，请稍候...";
  Settle(500);
  EXPECT_EQ(State(), (PaneState{289, false, ""}));
}

TEST_F(AdPane, AReloadAfterTheClientIsShownWidensThePaneAgain) {
  ServeEndpoint("client_get_param", "1.00|x|5");
  ServeEndpoint("client_get_nonce", "n1");
  ServeEndpoint("client_login", "TRUE|http://client.test/web");
  Start();
  form->sEdit1->Text = "1";
  form->sEdit2->Text = "p";
  application->Dispatch([this] { form->sBitBtn1->Click(); });
  Settle();
  ASSERT_EQ(form->CppWebBrowser1->Tag, 9);
  EXPECT_EQ(form->CppWebBrowser2->Width, 0);
  form->CppWebBrowser2->Navigate(AnsiToWide(ServiceBase() + "client_login_ad"));
  Settle();
  EXPECT_EQ(form->CppWebBrowser2->Width, 289);
  EXPECT_FALSE(form->Image1->Visible);
}

}  // namespace
