// The README's main job: examples/service.vor run against the demo service on a free
// loopback port, with the route that tools/run.sh puts before it.

#include <gtest/gtest.h>

#include "login/service_address.h"
#include "tests/tools/scenario_run.h"
#include "tools/service/service_core.h"
#include "tools/service/service_server.h"

namespace {

class ServiceScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    AccountBook accounts;
    accounts.Add({"10001", "demo-pass"});
    core_ = std::make_unique<ServiceCore>(ParseServiceOptions({"--interval", "5"}), std::move(accounts),
                                          SystemUnixSeconds);
    server_ = std::make_unique<ServiceServer>(*core_);
    port_ = server_->Bind("127.0.0.1", 0);
    server_->Start();
  }
  [[nodiscard]] std::string Route() const {
    return "route " + ServiceHost().bytes() + " 127.0.0.1:" + std::to_string(port_) + "\n";
  }

  std::unique_ptr<ServiceCore> core_;
  std::unique_ptr<ServiceServer> server_;
  int port_ = 0;
};

TEST_F(ServiceScenario, LogsInAnnouncesTheDeliveredMessageAndLeavesWhenTheServiceAsks) {
  const ScenarioRun run = RunScenarioFile("service.vor", VOR_EXAMPLES_DIR, Route());
  ASSERT_TRUE(run.Events("script_error").empty()) << run.Events("script_error").front();
  EXPECT_EQ(run.code, 0);

  // The service took the login: the password, the nonce and the signature all held.
  EXPECT_EQ(run.Count({"\"service_log\"", "/Login/client_login\\\"", "TRUE|"}), 1);
  EXPECT_EQ(run.Count({"\"navigate\"", "\"CppWebBrowser1\"", "/Client/index?sid=", "\"stage\":9"}), 1);
  // The delivered message was announced in the tray, and the exit came without a question.
  EXPECT_EQ(run.Count({"\"service\"", "\"request\":\"deliver\"", "\"status\":200"}), 1);
  EXPECT_EQ(run.Count({"\"shell_notify\"", U8(u8"\"szInfo\":\"  您有1条新短信!\\n\\n单击此气球查看新短信\"")}), 1);
  EXPECT_TRUE(run.Events("messagebox").empty());
  EXPECT_EQ(run.Events("exit"), std::vector<std::string>{R"({"event":"exit","code":0})"});
}

TEST_F(ServiceScenario, AdminRequestsNeedARouteToTheService) {
  const ScenarioRun run = RunScenarioText("service exit 10001\n");
  EXPECT_EQ(run.code, kScriptErrorCode);
  EXPECT_EQ(run.Count({"\"script_error\"", "service needs a route for " + ServiceHost().bytes()}), 1);
}

TEST_F(ServiceScenario, AnUnknownUserIsTheServicesAnswerNotAScriptError) {
  const ScenarioRun run = RunScenarioText(Route() + "service deliver 99999 hello\n");
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.Count({"\"service\"", "\"status\":404", "unknown user"}), 1);
}

}  // namespace
