// vor-service as a process: what it prints, how it refuses, and how it stops.

#include <gtest/gtest.h>
#include <httplib.h>

#include <regex>

#include "tests/support/service_process.h"

namespace {

class ServiceSignals : public ::testing::TestWithParam<std::pair<int, const char*>> {};

TEST_P(ServiceSignals, PrintsItsPortFirstLogsEachRequestAndStopsCleanly) {
  ServiceProcess service({"--port", "0", "--account", "10001:demo-pass"});
  const std::string first = service.Line();
  std::smatch match;
  ASSERT_TRUE(std::regex_match(first, match, std::regex(R"(\{"event":"listening","port":(\d+),.*\}\n)"))) << first;
  httplib::Client client("127.0.0.1", std::stoi(match[1]));
  const auto reply = client.Get("/ringpost_v2/index.php/Login/client_get_param");
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->body, "1.00||5");
  EXPECT_EQ(service.Line(),
            R"({"event":"request","path":"/ringpost_v2/index.php/Login/client_get_param","raw":"","query":{},)"
            R"("status":200,"answer":"1.00||5"})"
            "\n");
  EXPECT_EQ(service.Stop(GetParam().first), 0);
  EXPECT_EQ(service.Line(), std::string(R"({"event":"stopped","signal":")") + GetParam().second + "\"}\n");
}

INSTANTIATE_TEST_SUITE_P(Signals, ServiceSignals,
                         ::testing::Values(std::pair{SIGINT, "SIGINT"}, std::pair{SIGTERM, "SIGTERM"}),
                         [](const auto& info) { return std::string(info.param.second); });

TEST(ServiceProcess, RefusesANonLoopbackAddressUnlessTold) {
  ServiceProcess service({"--listen", "0.0.0.0", "--account", "10001:demo-pass"});
  EXPECT_EQ(service.Stop(0), 2);
  EXPECT_EQ(service.Line(), "");
  EXPECT_NE(service.ErrorText().find("not a loopback address"), std::string::npos);
}

}  // namespace
