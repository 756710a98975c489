// vor-service: the demo service the client logs into, on a loopback port.

#include <csignal>
#include <iostream>
#include <pthread.h>

#include "platform/sim/json.h"
#include "tools/service/account_book.h"
#include "tools/service/service_core.h"
#include "tools/service/service_server.h"

namespace {

void Say(const std::string& line) { std::cout << line << std::endl; }

}  // namespace

int main(int argc, char** argv) {
  ServiceOptions options;
  AccountBook accounts;
  try {
    options = ParseServiceOptions(std::vector<std::string>(argv + 1, argv + argc));
    for (const std::string& file : options.account_files) accounts.Load(file);
    for (const AccountLine& account : options.accounts) accounts.Add(account);
  } catch (const UsageError& error) {
    std::cerr << "vor-service: " << error.what() << "\n" << kServiceUsage;
    return 2;
  }
  if (options.help) {
    std::cout << kServiceUsage;
    return 0;
  }
  if (accounts.Size() == 0) std::cerr << "vor-service: no accounts given; every login will be refused\n";

  // The signals are taken by sigwait below; every thread started from here on inherits
  // the mask, so none of them is interrupted by one.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  ServiceCore core(options, std::move(accounts), SystemUnixSeconds);
  core.SetLogSink(Say);
  ServiceServer server(core);
  int port = 0;
  try {
    port = server.Bind(options.listen, options.port);
  } catch (const std::runtime_error& error) {
    std::cerr << "vor-service: " << error.what() << "\n";
    return 1;
  }
  Say(JsonObject().Add("event", "listening").Add("port", port).Add("address", options.listen).str());
  server.Start();

  int received = 0;
  sigwait(&signals, &received);
  server.Stop();
  Say(JsonObject().Add("event", "stopped").Add("signal", received == SIGINT ? "SIGINT" : "SIGTERM").str());
  return 0;
}
