#pragma once
// The real network behind the simulated web: addresses that no scripted page matches are
// fetched over HTTP, with the service's host routed to a local address. Completions go to
// the message loop of whichever run of the program is under way.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/html/web_view.h"
#include "platform/linux/curl_fetcher.h"

class SimDesktop;

class RoutedNetwork final : public Fetcher {
 public:
  explicit RoutedNetwork(SimDesktop& desktop) : desktop_(desktop) {}

  // Sends connections for host to address ("127.0.0.1:PORT").
  void AddRoute(const std::string& host, const std::string& address) {
    routes_[host] = address;
    curl_.AddRoute(host, address);
  }
  // Where connections for host go, when a route says.
  [[nodiscard]] std::optional<std::string> RouteFor(const std::string& host) const;
  // True while a page is on its way.
  [[nodiscard]] bool Busy() const { return curl_.InFlight() > 0; }
  // The run of the program has ended: what still arrives is dropped.
  void Detach() { curl_.SetLoop(nullptr); }

  std::uint64_t Fetch(const std::string& url, Callback done) override;
  void Cancel(std::uint64_t ticket) override { curl_.Cancel(ticket); }

 private:
  SimDesktop& desktop_;
  CurlFetcher curl_;
  std::map<std::string, std::string> routes_;
};
