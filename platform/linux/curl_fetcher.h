#pragma once
// The browser control's transport on a real network: HTTP and HTTPS GETs through libcurl,
// run on one worker thread, with one in-memory cookie session shared by every page this
// fetcher loads. Completions reach the program only as tasks posted to its message loop,
// so the GUI thread never waits on the network.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/html/web_view.h"

class TMessageLoop;

class CurlFetcher final : public Fetcher {
 public:
  CurlFetcher();
  // Stops the worker promptly, even with a transfer stalled; completions not yet run are
  // dropped.
  ~CurlFetcher() override;
  CurlFetcher(const CurlFetcher&) = delete;
  CurlFetcher& operator=(const CurlFetcher&) = delete;

  // The loop that completions are posted to; null detaches it, after which finished
  // transfers are dropped. Fetch refuses to start without one.
  void SetLoop(TMessageLoop* loop);
  // Sends every connection to host (ports 80 and 443) to address ("127.0.0.1:PORT") while
  // the URL keeps its host, so the program talks to a local service under its own name.
  // Applies to fetches started afterwards.
  void AddRoute(const std::string& host, const std::string& address);
  // Fetches started whose completion has neither run nor been cancelled; safe from any
  // thread.
  [[nodiscard]] std::size_t InFlight() const;

  // Fetcher. done runs on the loop's thread. A page that cannot be had (refused, reset,
  // unknown host, over 16 MiB, a redirect loop) completes with an empty body; a page with
  // an error status completes with the body the server sent.
  std::uint64_t Fetch(const std::string& url, Callback done) override;
  void Cancel(std::uint64_t ticket) override;

 private:
  class Deliveries;
  class Worker;
  std::shared_ptr<Deliveries> deliveries_;
  std::unique_ptr<Worker> worker_;
  std::uint64_t next_ticket_ = 1;
};
