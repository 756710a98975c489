// The road from start to the client layout against vor-service on loopback, beside the
// same four GETs (parameters, nonce, login, web client) made back to back by one libcurl
// handle. The service runs as a child process, so the peak memory reported is the client's.

#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <map>
#include <thread>

#include "app/Unit1.h"
#include "login/service_address.h"
#include "platform/linux/curl_fetcher.h"
#include "platform/sim/sim_desktop.h"
#include "tests/support/service_process.h"
#include "tools/service/signing.h"

namespace {

constexpr const char* kUser = "10001";
constexpr const char* kPassword = "demo-pass";

// vor-service on a free loopback port; its log lines are read and dropped so that it never
// blocks on a full pipe.
class ServiceChild final {
 public:
  ServiceChild()
      : process_({"--port", "0", "--account", std::string(kUser) + ":" + kPassword, "--interval", "5"}) {
    if (std::sscanf(process_.Line().c_str(), "{\"event\":\"listening\",\"port\":%d", &port_) != 1) {
      throw std::runtime_error("vor-service did not say where it listens");
    }
    drain_ = std::thread([this] {
      while (!process_.Line().empty()) {
      }
    });
  }
  ~ServiceChild() {
    (void)process_.Stop(SIGTERM);
    drain_.join();
  }
  [[nodiscard]] std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  ServiceProcess process_;
  int port_ = 0;
  std::thread drain_;
};

ServiceChild* service = nullptr;

// Runs the program's loop until done() holds, waiting for the network in between.
template <class Done>
void RunUntil(TApplication& application, Done done) {
  for (;;) {
    application.ProcessMessages();
    if (done()) return;
    application.Loop().WaitMessage();
  }
}

void ClientRoad(benchmark::State& state) {
  for (auto _ : state) {
    SimDesktop desktop;
    CurlFetcher fetcher;
    fetcher.AddRoute(ServiceHost().bytes(), service->Address());
    desktop.WebPages().SetNetwork(&fetcher);
    desktop.SetOutsideWork([&] { return fetcher.InFlight() > 0; }, std::chrono::seconds(30));
    desktop.SetIdleHook([] {});
    desktop.SetClock(std::time(nullptr));
    {
      TApplication application(desktop);
      fetcher.SetLoop(&application.Loop());
      application.Initialize();
      TForm1* form = nullptr;
      application.CreateForm(form);
      form->Show();
      // The user clicks as soon as the version check lets them; the advertisement may
      // still be loading.
      RunUntil(application, [&] { return form->sBitBtn1->Enabled || fetcher.InFlight() == 0; });
      form->sEdit1->Text = kUser;
      form->sEdit2->Text = kPassword;
      application.Dispatch([form] { form->sBitBtn1->Click(); });
      // The road ends when the web client has loaded and the window has its client layout.
      RunUntil(application, [&] {
        return (form->CppWebBrowser1->Tag == 9 && !form->CppWebBrowser1->Busy()) || fetcher.InFlight() == 0;
      });
      if (form->CppWebBrowser1->Tag != 9 || form->CppWebBrowser1->Busy()) {
        state.SkipWithError("the client did not reach its web client");
      }
      fetcher.SetLoop(nullptr);
    }
  }
}

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

void BareRequests(benchmark::State& state) {
  const std::string base = AnsiToUtf8(ServiceBase());
  curl_slist* route = curl_slist_append(nullptr, (ServiceHost().bytes() + ":80:" + service->Address()).c_str());
  for (auto _ : state) {
    CURL* handle = curl_easy_init();
    std::string body;
    curl_easy_setopt(handle, CURLOPT_CONNECT_TO, route);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &Collect);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &body);
    const auto get = [&](const std::string& url) {
      body.clear();
      curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
      curl_easy_perform(handle);
      return body;
    };
    (void)get(base + "client_get_param");
    const std::string nonce = get(base + "client_get_nonce?userid=" + kUser);
    const std::string timestamp = std::to_string(std::time(nullptr));
    const std::string login = get(base + "client_login?userid=" + kUser + "&pwd=" + Md5HexOf(kPassword) +
                                  "&timestamp=" + timestamp + "&nonce=" + nonce +
                                  "&signature=" + ExpectedSignature(timestamp, nonce, kUser));
    if (!login.starts_with("TRUE|")) state.SkipWithError("the bare login was refused");
    benchmark::DoNotOptimize(get(login.substr(5)));
    curl_easy_cleanup(handle);
  }
  curl_slist_free_all(route);
}

BENCHMARK(ClientRoad)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BareRequests)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's real time per iteration for the ratio printed at the end.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) times[run.run_name.function_name] = run.GetAdjustedRealTime();
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  curl_global_init(CURL_GLOBAL_DEFAULT);
  ServiceChild child;
  service = &child;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto road = reporter.times.find("ClientRoad");
  const auto bare = reporter.times.find("BareRequests");
  if (road != reporter.times.end() && bare != reporter.times.end() && bare->second > 0) {
    std::printf("road / bare requests: %.2f (goal: at most 1.5)\n", road->second / bare->second);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("client peak memory (ru_maxrss): %ld KiB\n", usage.ru_maxrss);
  benchmark::Shutdown();
  return 0;
}
