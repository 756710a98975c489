// With a route, addresses that no scripted page matches go over real HTTP to a local
// server, under the program's own service host name.

#include <gtest/gtest.h>
#include <httplib.h>

#include <mutex>
#include <thread>

#include "login/service_address.h"
#include "tests/tools/scenario_run.h"

namespace {

// A local stand-in for the service that answers the parameters request and notes what it
// was asked.
class LocalService {
 public:
  LocalService() {
    server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
      {
        std::lock_guard lock(mutex_);
        requests_.push_back(request.get_header_value("Host") + request.path);
      }
      if (request.path.ends_with("client_get_param")) response.set_content("1.00|http://example.org/u|60", "text/html");
    });
    // The socket listens once bound, so a request made before the thread accepts waits in
    // the backlog.
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
  }
  ~LocalService() {
    server_.stop();
    thread_.join();
  }
  [[nodiscard]] int Port() const { return port_; }
  [[nodiscard]] std::vector<std::string> Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> requests_;
};

TEST(Route, UnscriptedPagesComeFromTheNetworkUnderTheServiceHost) {
  LocalService service;
  const ScenarioRun run = RunScenarioText("route " + ServiceHost().bytes() + " 127.0.0.1:" + std::to_string(service.Port()) +
                                          "\npage client_login_ad <html><body>scripted</body></html>\nstart\nstate\n");
  const auto states = run.Events("state");
  ASSERT_EQ(states.size(), 1u);
  // The parameters reply came over HTTP: the version is current and the interval is set.
  EXPECT_EQ(Path(states[0], {"controls", "sBitBtn1", "enabled"}), "true");
  EXPECT_EQ(Path(states[0], {"timers", "Timer1", "interval"}), "60000");
  const auto requests = service.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0], ServiceHost().bytes() + "/ringpost_v2/index.php/Login/client_get_param");
}

}  // namespace
