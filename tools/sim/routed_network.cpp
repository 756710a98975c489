#include "tools/sim/routed_network.h"

#include "platform/application.h"
#include "platform/sim/sim_desktop.h"

std::uint64_t RoutedNetwork::Fetch(const std::string& url, Callback done) {
  // The program's first pages are asked for during its construction, before the driver
  // hears of the new run, so the loop is taken from the desktop at each fetch.
  TApplication* application = desktop_.Application();
  curl_.SetLoop(application ? &application->Loop() : nullptr);
  return curl_.Fetch(url, std::move(done));
}

std::optional<std::string> RoutedNetwork::RouteFor(const std::string& host) const {
  const auto found = routes_.find(host);
  if (found == routes_.end()) return std::nullopt;
  return found->second;
}
