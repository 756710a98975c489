// The browser control's HTTP transport against a peer that misbehaves on purpose.

#include "platform/linux/curl_fetcher.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "platform/application.h"
#include "platform/sim/sim_desktop.h"
#include "tests/net/closed_port.h"
#include "tests/net/fault_server.h"

namespace {

constexpr std::size_t kTwentyMebibytes = 20u * 1024 * 1024;

std::string Noise(std::size_t size) {
  std::mt19937 noise(5);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(noise() & 0xFF);
  return bytes;
}

using Plan = FaultServer::Plan;

// What the peer does for each path.
Plan PlanFor(const FaultServer::Request& request) {
  const std::string& path = request.path;
  if (path == "/plain") return Send(Reply("200 OK", "Content-Type: text/html; charset=GBK\r\n", "1.00||5"));
  if (path == "/error") return Send(Reply("500 Internal Server Error", "Content-Type: text/plain\r\n", "oops"));
  if (path == "/latin1") {
    return Send(Reply("200 OK", "Content-Type: text/html; charset=ISO-8859-1\r\n", "\xD5\xC5\xC8\xFD"));
  }
  if (path == "/binary") return Send(Reply("200 OK", "Content-Type: text/html\r\n", Noise(4096)));
  if (path == "/no-status-line") return Send(Noise(512));
  if (path == "/nothing") return Send("");
  if (path == "/reset") {
    return Send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nContent-Type: text/html\r\n\r\n" + std::string(500, 'x'), true);
  }
  if (path == "/huge-declared") {
    return Send(Reply("200 OK", "Content-Type: text/html\r\n", std::string(kTwentyMebibytes, 'x')));
  }
  if (path == "/huge-until-close") {
    return Send("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n" + std::string(kTwentyMebibytes, 'x'));
  }
  if (path == "/loop") return Send(Reply("302 Found", "Location: /loop\r\n", ""));
  if (path.starts_with("/hop/")) {
    // /hop/N redirects N more times before it lands.
    const int left = std::stoi(path.substr(5));
    if (left == 0) return Send(Reply("200 OK", "Content-Type: text/html\r\n", "landed"));
    return Send(Reply("301 Moved Permanently", "Location: /hop/" + std::to_string(left - 1) + "\r\n", ""));
  }
  if (path == "/set-cookie") return Send(Reply("200 OK", "Set-Cookie: session=abc; Path=/\r\n", "set"));
  if (path == "/echo-head") return Send(Reply("200 OK", "Content-Type: text/plain\r\n", request.head));
  if (path == "/hold") {
    return Held("HTTP/1.1 200 OK\r\nContent-Length: 8\r\nContent-Type: text/html\r\nConnection: close\r\n\r\nslow", "down");
  }
  return Send(Reply("404 Not Found", "Content-Type: text/html\r\n", "not here"));
}

class CurlFetcherTest : public ::testing::Test {
 protected:
  CurlFetcherTest() {
    fetcher->SetLoop(&application.Loop());
    desktop.SetOutsideWork([this] { return fetcher->InFlight() > 0; }, std::chrono::seconds(30));
    desktop.SetIdleHook([] {});
  }
  ~CurlFetcherTest() override {
    if (fetcher) fetcher->SetLoop(nullptr);
  }

  // Fetches url and runs the message loop until its completion has run.
  Fetcher::Response Fetch(const std::string& url) {
    std::optional<Fetcher::Response> got;
    (void)fetcher->Fetch(url, [&](Fetcher::Response response) { got = std::move(response); });
    RunNetwork();
    EXPECT_TRUE(got.has_value()) << url;
    return got.value_or(Fetcher::Response{});
  }
  // Runs the loop until no fetch is waiting for its completion. The loop sleeps in the
  // desktop until the worker wakes it.
  void RunNetwork() {
    while (fetcher->InFlight() > 0) {
      application.ProcessMessages();
      if (fetcher->InFlight() > 0) application.Loop().WaitMessage();
    }
    application.ProcessMessages();
  }

  FaultServer server{PlanFor};
  SimDesktop desktop;
  TApplication application{desktop};
  std::unique_ptr<CurlFetcher> fetcher = std::make_unique<CurlFetcher>();
};

struct PageCase {
  const char* name;
  std::string path;
  std::string body;          // expected
  std::string content_type;  // expected
};

void PrintTo(const PageCase& c, std::ostream* out) { *out << c.name; }

class FetchedPages : public CurlFetcherTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(FetchedPages, DeliverWhatTheServerSentOrAnEmptyPage) {
  const PageCase& c = GetParam();
  const Fetcher::Response response = Fetch(server.Url(c.path));
  // Sizes first: a failing 20 MiB body should not flood the output.
  EXPECT_EQ(response.body.size(), c.body.size());
  EXPECT_TRUE(response.body == c.body);
  EXPECT_EQ(response.content_type, c.content_type);
  EXPECT_EQ(response.final_url, server.Url(c.path));
  EXPECT_EQ(fetcher->InFlight(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FetchedPages,
    ::testing::Values(PageCase{"Plain", "/plain", "1.00||5", "text/html; charset=GBK"},
                      PageCase{"ErrorStatusShowsTheServersPage", "/error", "oops", "text/plain"},
                      PageCase{"NotFoundShowsTheServersPage", "/missing", "not here", "text/html"},
                      PageCase{"WrongCharsetIsPassedOnAsDeclared", "/latin1", "\xD5\xC5\xC8\xFD",
                               "text/html; charset=ISO-8859-1"},
                      PageCase{"BinaryBodyArrivesByteForByte", "/binary", Noise(4096), "text/html"},
                      PageCase{"NoStatusLine", "/no-status-line", "", ""},
                      PageCase{"ClosedWithoutAWord", "/nothing", "", ""},
                      PageCase{"ResetInTheMiddle", "/reset", "", ""},
                      PageCase{"OverSixteenMebibytesDeclared", "/huge-declared", "", ""},
                      PageCase{"OverSixteenMebibytesUndeclared", "/huge-until-close", "", ""},
                      PageCase{"RedirectLoop", "/loop", "", ""},
                      PageCase{"ElevenRedirects", "/hop/11", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CurlFetcherTest, TenRedirectsAreFollowedToTheFinalAddress) {
  const Fetcher::Response response = Fetch(server.Url("/hop/10"));
  EXPECT_EQ(response.body, "landed");
  EXPECT_EQ(response.final_url, server.Url("/hop/0"));
}

TEST_F(CurlFetcherTest, ARefusedConnectionDeliversAnEmptyPage) {
  const ClosedPort closed;
  const Fetcher::Response response = Fetch("http://127.0.0.1:" + std::to_string(closed.Port()) + "/plain");
  EXPECT_EQ(response.body, "");
}

TEST_F(CurlFetcherTest, CookiesSetByOnePageGoWithTheNextRequest) {
  (void)Fetch(server.Url("/set-cookie"));
  EXPECT_NE(Fetch(server.Url("/echo-head")).body.find("Cookie: session=abc"), std::string::npos);
  CurlFetcher other;
  other.SetLoop(&application.Loop());
  std::optional<Fetcher::Response> got;
  (void)other.Fetch(server.Url("/echo-head"), [&](Fetcher::Response response) { got = std::move(response); });
  while (other.InFlight() > 0) {
    application.ProcessMessages();
    if (other.InFlight() > 0) application.Loop().WaitMessage();
  }
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->body.find("Cookie:"), std::string::npos) << "another fetcher is another session";
  other.SetLoop(nullptr);
}

TEST_F(CurlFetcherTest, ARoutedHostKeepsItsNameOnTheWire) {
  fetcher->AddRoute("sms.example.com", "127.0.0.1:" + std::to_string(server.Port()));
  const Fetcher::Response response = Fetch("http://sms.example.com/echo-head");
  EXPECT_NE(response.body.find("GET /echo-head HTTP/1.1\r\nHost: sms.example.com\r\n"), std::string::npos)
      << response.body;
  EXPECT_EQ(response.final_url, "http://sms.example.com/echo-head");
}

TEST_F(CurlFetcherTest, TimersKeepTickingWhileAReplyStallsAndTheSlowReplyStillArrives) {
  int ticks = 0;
  TTimer timer(&application);
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(1000);
  std::optional<Fetcher::Response> got;
  (void)fetcher->Fetch(server.Url("/hold"), [&](Fetcher::Response response) { got = std::move(response); });
  server.AwaitRequests(1);
  desktop.Settle(10'000);
  EXPECT_EQ(ticks, 10);
  EXPECT_FALSE(got.has_value());
  EXPECT_EQ(fetcher->InFlight(), 1u);
  server.Release();
  RunNetwork();
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->body, "slowdown");
}

TEST_F(CurlFetcherTest, ACancelledFetchNeverCompletes) {
  bool completed = false;
  const std::uint64_t ticket = fetcher->Fetch(server.Url("/hold"), [&](Fetcher::Response) { completed = true; });
  server.AwaitRequests(1);
  fetcher->Cancel(ticket);
  EXPECT_EQ(fetcher->InFlight(), 0u);
  server.Release();
  // A later page comes through; the cancelled one does not come with it.
  EXPECT_EQ(Fetch(server.Url("/plain")).body, "1.00||5");
  desktop.Settle(1000);
  EXPECT_FALSE(completed);
}

TEST_F(CurlFetcherTest, TheFetcherGoesAwayWithATransferStalled) {
  bool completed = false;
  (void)fetcher->Fetch(server.Url("/hold"), [&](Fetcher::Response) { completed = true; });
  server.AwaitRequests(1);
  fetcher.reset();
  application.ProcessMessages();
  EXPECT_FALSE(completed);
}

TEST_F(CurlFetcherTest, FetchingNeedsALoopToDeliverOn) {
  CurlFetcher detached;
  EXPECT_THROW((void)detached.Fetch(server.Url("/plain"), [](Fetcher::Response) {}), std::logic_error);
  EXPECT_EQ(detached.InFlight(), 0u);
}

}  // namespace
