#pragma once
// The page engine behind the browser control: loads a page through a Fetcher, parses it,
// loads its frames, and reports frame completions before the page's own completion.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/automation.h"
#include "platform/html/dom.h"

// The transport. Each backend brings its own: scripted pages in the simulated desktop,
// HTTP on a real one.
class Fetcher {
 public:
  struct Response {
    std::string body;          // the bytes as served; empty for a page that could not be had
    std::string content_type;  // the Content-Type header, may carry "; charset=..."
    std::string final_url;     // after redirects; empty means the requested address
  };
  using Callback = std::function<void(Response)>;

  virtual ~Fetcher() = default;
  // Starts loading url. done runs later on the GUI thread, never inside Fetch, unless the
  // ticket is cancelled first.
  virtual std::uint64_t Fetch(const std::string& url, Callback done) = 0;
  virtual void Cancel(std::uint64_t ticket) = 0;
};

class WebView final {
 public:
  class Listener {
   public:
    virtual ~Listener() = default;
    // frame is the dispatch object of the frame's document; url its address (UTF-8).
    virtual void FrameComplete(IDispatch* frame, const std::string& url) = 0;
    virtual void DocumentComplete(const std::string& url) = 0;
    // Both may call Navigate. Neither may throw: a load whose frame completion throws
    // never finishes.
  };

  WebView(Fetcher& fetcher, Listener& listener);
  ~WebView();
  WebView(const WebView&) = delete;
  WebView& operator=(const WebView&) = delete;

  // Starts loading url (UTF-8), cancelling a load under way, whose completions never come.
  void Navigate(const std::string& url);
  // True from Navigate until the top-level completion has been reported.
  [[nodiscard]] bool Busy() const;
  // The document shown, or null before the first page has completed. It stays valid
  // until the next page completes.
  [[nodiscard]] HtmlDocument* Document() const;

 private:
  struct Load;
  struct LoadPart;
  void CancelLoad();
  void StartPart(const std::string& url, LoadPart* parent, int depth);
  void Deliver(LoadPart& part, Fetcher::Response response);
  void Arrived(LoadPart& part, Fetcher::Response response);
  void Completed(LoadPart& part);

  Fetcher& fetcher_;
  Listener& listener_;
  std::unique_ptr<HtmlDocument> document_;
  std::unique_ptr<Load> load_;
  std::uint64_t generation_ = 0;  // counts navigations, so a late reply can tell it is stale
  bool delivering_ = false;       // a reply is being handled, the listener's calls included
  // Loads cancelled while a reply was being handled; they go when it has been handled.
  std::vector<std::unique_ptr<Load>> retired_;
};
