// The service on a real loopback socket, asked by an ordinary HTTP client.

#include <gtest/gtest.h>
#include <httplib.h>

#include "tools/service/service_core.h"
#include "tools/service/service_server.h"
#include "tools/service/signing.h"

namespace {

class ServiceOverHttp : public ::testing::Test {
 protected:
  void Serve(const std::vector<std::string>& args = {}) {
    AccountBook accounts;
    accounts.Add({"10001", "demo-pass"});
    core_ = std::make_unique<ServiceCore>(ParseServiceOptions(args), std::move(accounts), SystemUnixSeconds);
    server_ = std::make_unique<ServiceServer>(*core_);
    port_ = server_->Bind("127.0.0.1", 0);
    server_->Start();
    client_ = std::make_unique<httplib::Client>("127.0.0.1", port_);
  }
  httplib::Result Get(const std::string& endpoint) { return client_->Get(std::string(kLoginRoot) + endpoint); }

  std::unique_ptr<ServiceCore> core_;
  std::unique_ptr<ServiceServer> server_;
  std::unique_ptr<httplib::Client> client_;
  int port_ = 0;
};

TEST_F(ServiceOverHttp, ALoginOverTheWireOpensAWebClientOnTheAddressAsked) {
  Serve();
  const auto nonce = Get("client_get_nonce?userid=%2010001%20");
  ASSERT_TRUE(nonce);
  EXPECT_EQ(nonce->get_header_value("Content-Type"), "text/html; charset=GBK");
  ASSERT_EQ(nonce->body.size(), 32u);
  const std::string timestamp = std::to_string(SystemUnixSeconds());
  const auto login = Get("client_login?userid=10001&pwd=" + Md5HexOf("demo-pass") + "&timestamp=" + timestamp +
                         "&nonce=" + nonce->body + "&signature=" + ExpectedSignature(timestamp, nonce->body, "10001"));
  ASSERT_TRUE(login);
  const std::string origin = "TRUE|http://127.0.0.1:" + std::to_string(port_);
  ASSERT_TRUE(login->body.starts_with(origin + "/ringpost_v2/index.php/Client/index?sid=")) << login->body;
  const auto page = client_->Get(login->body.substr(origin.size()));
  ASSERT_TRUE(page);
  EXPECT_NE(page->body.find(R"(id="client_exit" value="0")"), std::string::npos);

  const auto log = client_->Get("/admin/log");
  ASSERT_TRUE(log);
  EXPECT_NE(log->body.find(R"("raw":"userid=%2010001%20","query":{"userid":" 10001 "})"), std::string::npos) << log->body;
}

TEST_F(ServiceOverHttp, OtherMethodsAndUnknownPathsChangeNothing) {
  Serve();
  const auto posted = client_->Post(std::string(kLoginRoot) + "client_get_nonce?userid=10001", "", "text/plain");
  ASSERT_TRUE(posted);
  EXPECT_NE(posted->status, 200);
  const auto unknown = client_->Get("/../../etc/passwd");
  ASSERT_TRUE(unknown);
  EXPECT_EQ(unknown->status, 404);
  EXPECT_TRUE(Get("client_get_param"));
}

TEST_F(ServiceOverHttp, AnOversizedRequestIsRefusedWithAReason) {
  Serve();
  const auto reply = Get("client_get_nonce?userid=" + std::string(10000, '1'));
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->status, 414);
  EXPECT_EQ(reply->body, "FALSE|请求过长");
  EXPECT_TRUE(Get("client_get_param"));
}

struct WireFault {
  const char* name;
  const char* fault;
};

void PrintTo(const WireFault& c, std::ostream* out) { *out << c.name; }

class ServiceWireFaults : public ServiceOverHttp, public ::testing::WithParamInterface<WireFault> {};

TEST_P(ServiceWireFaults, TheClientNeverGetsAWholePageAndTheServerStillStops) {
  Serve({"--fault", GetParam().fault});
  client_->set_read_timeout(1, 0);
  EXPECT_FALSE(Get("client_get_param"));
  server_->Stop();  // returns although a connection may still be stalled
  EXPECT_EQ(core_->Log().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, ServiceWireFaults,
                         ::testing::Values(WireFault{"Reset", "reset"}, WireFault{"Stall", "stall"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
