// The whole road of the program over real HTTP: the window starts on the simulated desktop,
// its browser controls fetch from the demo service on a loopback port through the network
// transport, and the service's request log shows what the client sent.

#include <gtest/gtest.h>
#include <httplib.h>

#include <optional>

#include "platform/linux/curl_fetcher.h"
#include "tests/net/closed_port.h"
#include "tests/support/program_fixture.h"
#include "tools/service/service_core.h"
#include "tools/service/service_server.h"
#include "tools/service/signing.h"

namespace {

constexpr const char* kPassword = "demo-pass";

class LoginRoad : public ProgramFixture {
 protected:
  void SetUp() override {
    desktop.WebPages().SetNetwork(&fetcher_);
    desktop.SetOutsideWork([this] { return fetcher_.InFlight() > 0; }, std::chrono::seconds(30));
    desktop.SetIdleHook([] {});
    // The service judges the login's timestamp by its own clock.
    desktop.SetClock(SystemUnixSeconds());
  }

  // Starts the service on a free loopback port with the demo account and routes the
  // program's service host there.
  void Serve(const std::vector<std::string>& args = {"--interval", "5"}) {
    AccountBook accounts;
    accounts.Add({"10001", kPassword});
    service_ = std::make_unique<ServiceCore>(ParseServiceOptions(args), std::move(accounts), SystemUnixSeconds);
    server_ = std::make_unique<ServiceServer>(*service_);
    port_ = server_->Bind("127.0.0.1", 0);
    server_->Start();
    admin_ = std::make_unique<httplib::Client>("127.0.0.1", port_);
    fetcher_.AddRoute(ServiceHost().bytes(), "127.0.0.1:" + std::to_string(port_));
  }

  void TearDown() override {
    fetcher_.SetLoop(nullptr);
    ProgramFixture::TearDown();
  }

  // Starts the program as the process entry does, with the network delivering on its loop,
  // and lets everything it set off arrive.
  void StartOnNetwork() {
    application = std::make_unique<TApplication>(desktop);
    fetcher_.SetLoop(&application->Loop());
    application->Initialize();
    application->CreateForm(form);
    if (!application->Terminated()) form->Show();
    RunNetwork();
  }
  // Runs the program's loop until no page is on its way; the loop waits in real time for
  // the network, never on it.
  void RunNetwork() {
    while (fetcher_.InFlight() > 0) {
      application->ProcessMessages();
      if (fetcher_.InFlight() > 0) application->Loop().WaitMessage();
    }
    Settle();
  }
  // What the page's own script would learn from the service and put into its markers.
  std::string StatusOfTheSession() {
    const auto status = admin_->Get("/ringpost_v2/index.php/Client/status?sid=" + Session());
    return status ? status->body : std::string();
  }
  std::string Session() const {
    for (const LoggedRequest& entry : service_->Log()) {
      if (entry.path.ends_with("/Client/index")) return entry.query.at(0).second;
    }
    return {};
  }
  // The first request the service logged for the endpoint.
  [[nodiscard]] std::optional<LoggedRequest> Logged(const std::string& endpoint) const {
    for (const LoggedRequest& entry : service_->Log()) {
      if (entry.path == std::string(kLoginRoot) + endpoint) return entry;
    }
    return std::nullopt;
  }
  [[nodiscard]] static std::string Value(const LoggedRequest& entry, const std::string& key) {
    for (const auto& [name, value] : entry.query) {
      if (name == key) return value;
    }
    return "<absent>";
  }

  std::unique_ptr<ServiceCore> service_;
  std::unique_ptr<ServiceServer> server_;
  std::unique_ptr<httplib::Client> admin_;
  int port_ = 0;
  CurlFetcher fetcher_;
};

TEST_F(LoginRoad, StartLoginWebClientBalloonAndExitRunAgainstTheServiceOverHttp) {
  Serve();
  StartOnNetwork();
  ASSERT_TRUE(form->sBitBtn1->Enabled) << "the version check did not pass";
  EXPECT_EQ(CountEvents({"\"complete\"", "\"browser\":\"CppWebBrowser2\"", "client_login_ad\"", "\"top\":true"}), 1);

  form->sEdit1->Text = " 10001 ";
  form->sEdit2->Text = kPassword;
  application->Dispatch([this] { form->sBitBtn1->Click(); });
  RunNetwork();
  ASSERT_EQ(form->CppWebBrowser1->Tag, 9);
  EXPECT_EQ(form->Caption, "翔羚vor");

  // What the service received.
  const auto nonce = Logged("client_get_nonce");
  ASSERT_TRUE(nonce);
  EXPECT_EQ(nonce->raw_query, "userid=%2010001%20");
  EXPECT_EQ(Value(*nonce, "userid"), " 10001 ");
  const auto login = Logged("client_login");
  ASSERT_TRUE(login);
  EXPECT_EQ(Value(*login, "userid"), "10001");
  EXPECT_EQ(Value(*login, "pwd"), Md5HexOf(kPassword));
  EXPECT_EQ(Value(*login, "nonce"), nonce->answer);
  EXPECT_EQ(Value(*login, "signature"),
            ExpectedSignature(Value(*login, "timestamp"), Value(*login, "nonce"), Value(*login, "userid")));
  EXPECT_TRUE(login->answer.starts_with("TRUE|")) << login->answer;

  // The same login once more: its nonce has been spent.
  const auto again = admin_->Get(std::string(kLoginRoot) + "client_login?" + login->raw_query);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->body, "FALSE|随机码已使用");

  // In the tray, a message delivered by the service is announced in a balloon.
  application->Minimize();
  Settle();
  ASSERT_TRUE(admin_->Get("/admin/deliver?user=10001&text=%E4%BD%A0%E5%A5%BD"));
  ASSERT_EQ(StatusOfTheSession(), R"({"new_msg":1,"exit":0})");
  (void)Inspect().AccessPageField(form->CppWebBrowser1, "client_new_msg", "1");
  Settle(5000);
  EXPECT_EQ(CountEvents({"\"shell_notify\"", U8(u8"\"szInfo\":\"  您有1条新短信!\\n\\n单击此气球查看新短信\"")}), 1);
  application->Dispatch([this] { form->TrayIcon1->Restore(); });
  Settle();
  EXPECT_FALSE(application->Minimized());

  // The service asks the client to leave: it closes within one watch without a question.
  ASSERT_TRUE(admin_->Get("/admin/exit?user=10001"));
  ASSERT_EQ(StatusOfTheSession(), R"({"new_msg":0,"exit":1})");
  (void)Inspect().AccessPageField(form->CppWebBrowser1, "client_exit", "1");
  Settle(3000);
  EXPECT_TRUE(application->Terminated());
  EXPECT_EQ(CountEvents({"\"messagebox\""}), 0);
}

struct StageFault {
  const char* name;
  const char* fault;
  bool login_enabled;  // after the version check's reply
};

void PrintTo(const StageFault& c, std::ostream* out) { *out << c.name; }

class VersionCheckFaults : public LoginRoad, public ::testing::WithParamInterface<StageFault> {};

// The version check reads whatever page it got: a page without a separator, such as the
// empty page of a failed transfer, changes nothing and asks nothing.
TEST_P(VersionCheckFaults, TheVersionCheckFollowsTheTextItReceived) {
  Serve({"--fault", GetParam().fault});
  StartOnNetwork();
  EXPECT_EQ(form->sBitBtn1->Enabled, GetParam().login_enabled);
  EXPECT_EQ(CountEvents({"\"error\""}), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionCheckFaults,
    ::testing::Values(StageFault{"ErrorStatusPageIsReadAsUsual", "status500:client_get_param", true},
                      StageFault{"WrongCharsetStillReadsAsciiFields", "wrong-charset:client_get_param", true},
                      StageFault{"HugePageIsEmpty", "huge:client_get_param", false},
                      StageFault{"ResetPageIsEmpty", "reset:client_get_param", false},
                      StageFault{"GarbledAdvertisementLeavesTheLoginAlone", "garbage:client_login_ad", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoginRoad, NoServiceListeningLeavesTheLoginDisabledWithoutAWord) {
  const ClosedPort closed;
  fetcher_.AddRoute(ServiceHost().bytes(), "127.0.0.1:" + std::to_string(closed.Port()));
  StartOnNetwork();
  EXPECT_FALSE(form->sBitBtn1->Enabled);
  EXPECT_EQ(form->CppWebBrowser1->Tag, 1);
}

TEST_F(LoginRoad, AServiceThatNeverAnswersLeavesTheStageWaitingWhileTimersTick) {
  Serve({"--fault", "stall:client_get_nonce"});
  StartOnNetwork();
  form->sEdit1->Text = "10001";
  form->sEdit2->Text = kPassword;
  application->Dispatch([this] { form->sBitBtn1->Click(); });
  int ticks = 0;
  TTimer timer(application.get());
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(1000);
  Settle(60'000);  // a minute of the program's time passes; nothing waits on the network
  EXPECT_EQ(ticks, 60);
  EXPECT_EQ(form->CppWebBrowser1->Tag, 2);
  EXPECT_TRUE(form->CppWebBrowser1->Busy());
  EXPECT_EQ(fetcher_.InFlight(), 1u);
  EXPECT_FALSE(Logged("client_login"));
}

}  // namespace
