#pragma once
// The in-memory web of the simulated desktop: pages served by address prefix, delivered
// after a set latency of virtual time.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/html/web_view.h"

class TMessageLoop;

class SimWeb final : public Fetcher {
 public:
  // Serves body for every address that starts with prefix; the longest matching prefix
  // wins, and a later page for the same prefix replaces the earlier one.
  void Serve(const std::string& prefix, const std::string& body,
             const std::string& content_type = "text/html; charset=utf-8");
  void SetLatency(std::int64_t ms) { latency_ms_ = ms; }
  void SetLoop(TMessageLoop* loop) { loop_ = loop; }
  // Addresses that no page matches go to the network when one is given.
  void SetNetwork(Fetcher* network) { network_ = network; }
  std::uint64_t Fetch(const std::string& url, Callback done) override;
  void Cancel(std::uint64_t ticket) override;

 private:
  struct Page {
    std::string prefix;
    std::string body;
    std::string content_type;
  };
  // The page for url, or null when no prefix matches.
  [[nodiscard]] const Page* Find(const std::string& url) const;

  std::vector<Page> pages_;
  std::int64_t latency_ms_ = 0;
  TMessageLoop* loop_ = nullptr;
  Fetcher* network_ = nullptr;
  std::map<std::uint64_t, std::uint64_t> network_tickets_;  // ours to the network's
  std::uint64_t next_ticket_ = 1;
  std::set<std::uint64_t> live_;
};
