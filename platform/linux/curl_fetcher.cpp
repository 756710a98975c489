#include "platform/linux/curl_fetcher.h"

#include <curl/curl.h>

#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "platform/message_loop.h"

namespace {

// A page larger than this is not a page the program could use; the transfer is abandoned.
constexpr std::size_t kMaxBody = 16u * 1024 * 1024;
constexpr long kMaxRedirects = 10;

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) throw std::runtime_error("libcurl cannot start");
  });
}

}  // namespace

// The GUI side: the callbacks of the fetches under way, touched only on the GUI thread.
// Posted completions hold it, not the fetcher, so a completion that runs after the fetcher
// is gone finds nothing to call.
class CurlFetcher::Deliveries final {
 public:
  void Add(std::uint64_t ticket, Callback done) {
    pending_.emplace(ticket, std::move(done));
    count_ = pending_.size();
  }
  // True when the ticket was still waiting for its completion.
  bool Drop(std::uint64_t ticket) {
    const bool dropped = pending_.erase(ticket) > 0;
    count_ = pending_.size();
    return dropped;
  }
  void Deliver(std::uint64_t ticket, Response response) {
    const auto found = pending_.find(ticket);
    if (found == pending_.end()) return;  // cancelled after the transfer had finished
    Callback done = std::move(found->second);
    pending_.erase(found);
    count_ = pending_.size();
    done(std::move(response));
  }
  void Clear() {
    pending_.clear();
    count_ = 0;
  }
  [[nodiscard]] std::size_t Count() const { return count_; }

 private:
  std::map<std::uint64_t, Callback> pending_;
  std::atomic<std::size_t> count_ = 0;
};

// The network side: one thread running a curl multi handle. It owns every curl handle and
// talks to the GUI side only through commands under its mutex and through posted tasks.
class CurlFetcher::Worker final {
 public:
  explicit Worker(std::shared_ptr<Deliveries> deliveries) : deliveries_(std::move(deliveries)) {
    multi_ = curl_multi_init();
    share_ = curl_share_init();
    if (!multi_ || !share_) {
      curl_multi_cleanup(multi_);
      curl_share_cleanup(share_);
      throw std::runtime_error("libcurl cannot create its handles");
    }
    // Every easy handle lives on the worker thread alone, so the share needs no locks.
    curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    thread_ = std::thread([this] { Run(); });
  }

  ~Worker() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    curl_multi_wakeup(multi_);
    thread_.join();
    curl_multi_cleanup(multi_);
    curl_share_cleanup(share_);
  }

  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  void SetLoop(TMessageLoop* loop) {
    std::lock_guard lock(mutex_);
    loop_ = loop;
  }

  void AddRoute(const std::string& host, const std::string& address) {
    std::lock_guard lock(mutex_);
    routes_[host] = address;
  }

  void Start(std::uint64_t ticket, const std::string& url) {
    {
      std::lock_guard lock(mutex_);
      if (!loop_) throw std::logic_error("the network has no message loop to deliver pages on");
      std::vector<std::string> connect_to;
      for (const auto& [host, address] : routes_) {
        connect_to.push_back(host + ":80:" + address);
        connect_to.push_back(host + ":443:" + address);
      }
      commands_.push_back(Command{ticket, url, std::move(connect_to)});
      live_.insert(ticket);
    }
    curl_multi_wakeup(multi_);
  }

  void Cancel(std::uint64_t ticket) {
    {
      std::lock_guard lock(mutex_);
      if (live_.erase(ticket) == 0) return;
    }
    curl_multi_wakeup(multi_);
  }

 private:
  struct Command {
    std::uint64_t ticket = 0;
    std::string url;
    std::vector<std::string> connect_to;
  };

  struct Transfer {
    std::uint64_t ticket = 0;
    std::string url;
    CURL* easy = nullptr;
    curl_slist* connect_to = nullptr;
    std::string body;
    bool too_big = false;

    ~Transfer() {
      curl_easy_cleanup(easy);
      curl_slist_free_all(connect_to);
    }
  };

  static std::size_t Write(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (transfer->body.size() + bytes > kMaxBody) {
      transfer->too_big = true;
      return 0;  // aborts the transfer
    }
    transfer->body.append(data, bytes);
    return bytes;
  }

  void Run() {
    for (;;) {
      std::vector<Command> started;
      {
        std::lock_guard lock(mutex_);
        if (stopping_) break;
        started.swap(commands_);
        // Transfers whose ticket the GUI side gave up are dropped here.
        std::erase_if(transfers_, [this](const auto& entry) {
          if (live_.contains(entry.first)) return false;
          curl_multi_remove_handle(multi_, entry.second->easy);
          return true;
        });
      }
      for (Command& command : started) Begin(std::move(command));
      int running = 0;
      curl_multi_perform(multi_, &running);
      Collect();
      curl_multi_poll(multi_, nullptr, 0, 1000, nullptr);
    }
    for (auto& [ticket, transfer] : transfers_) curl_multi_remove_handle(multi_, transfer->easy);
    transfers_.clear();
  }

  void Begin(Command command) {
    {
      std::lock_guard lock(mutex_);
      if (!live_.contains(command.ticket)) return;  // cancelled before it started
    }
    auto transfer = std::make_unique<Transfer>();
    transfer->ticket = command.ticket;
    transfer->url = std::move(command.url);
    transfer->easy = curl_easy_init();
    if (!transfer->easy) {
      Finish(*transfer, false);
      return;
    }
    for (const std::string& route : command.connect_to) {
      transfer->connect_to = curl_slist_append(transfer->connect_to, route.c_str());
    }
    CURL* easy = transfer->easy;
    curl_easy_setopt(easy, CURLOPT_URL, transfer->url.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxBody));
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    // An empty cookie file switches the cookie engine on without reading any file.
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(easy, CURLOPT_SHARE, share_);
    curl_easy_setopt(easy, CURLOPT_CONNECT_TO, transfer->connect_to);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Worker::Write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get());
    curl_easy_setopt(easy, CURLOPT_PRIVATE, transfer.get());
    if (curl_multi_add_handle(multi_, easy) != CURLM_OK) {
      Finish(*transfer, false);
      return;
    }
    transfers_[transfer->ticket] = std::move(transfer);
  }

  void Collect() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
      if (message->msg != CURLMSG_DONE) continue;
      void* user = nullptr;
      curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &user);
      auto* transfer = static_cast<Transfer*>(user);
      const bool ok = message->data.result == CURLE_OK && !transfer->too_big;
      Finish(*transfer, ok);
      curl_multi_remove_handle(multi_, transfer->easy);
      transfers_.erase(transfer->ticket);
    }
  }

  // Hands the page to the GUI thread: what the server sent, or an empty page when the
  // transfer failed.
  void Finish(const Transfer& transfer, bool ok) {
    Response response;
    response.final_url = transfer.url;
    if (ok) {
      response.body = transfer.body;
      const char* type = nullptr;
      if (curl_easy_getinfo(transfer.easy, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type) {
        response.content_type = type;
      }
      const char* final_url = nullptr;
      if (curl_easy_getinfo(transfer.easy, CURLINFO_EFFECTIVE_URL, &final_url) == CURLE_OK && final_url) {
        response.final_url = final_url;
      }
    }
    // Posting under the mutex means a cancel or a detach of the loop is either seen here
    // or comes after the task is queued, where the GUI side drops it.
    std::lock_guard lock(mutex_);
    if (live_.erase(transfer.ticket) == 0 || !loop_) return;
    loop_->PostTask([deliveries = deliveries_, ticket = transfer.ticket, response = std::move(response)]() mutable {
      deliveries->Deliver(ticket, std::move(response));
    });
  }

  const std::shared_ptr<Deliveries> deliveries_;
  CURLM* multi_ = nullptr;
  CURLSH* share_ = nullptr;
  std::thread thread_;

  std::mutex mutex_;
  bool stopping_ = false;
  TMessageLoop* loop_ = nullptr;
  std::map<std::string, std::string> routes_;
  std::vector<Command> commands_;
  std::set<std::uint64_t> live_;  // tickets whose completion the GUI side still wants

  std::map<std::uint64_t, std::unique_ptr<Transfer>> transfers_;  // worker thread only
};

CurlFetcher::CurlFetcher() : deliveries_(std::make_shared<Deliveries>()) {
  InitCurlOnce();
  worker_ = std::make_unique<Worker>(deliveries_);
}

CurlFetcher::~CurlFetcher() {
  worker_.reset();
  deliveries_->Clear();
}

void CurlFetcher::SetLoop(TMessageLoop* loop) { worker_->SetLoop(loop); }

void CurlFetcher::AddRoute(const std::string& host, const std::string& address) { worker_->AddRoute(host, address); }

std::size_t CurlFetcher::InFlight() const { return deliveries_->Count(); }

std::uint64_t CurlFetcher::Fetch(const std::string& url, Callback done) {
  const std::uint64_t ticket = next_ticket_++;
  worker_->Start(ticket, url);
  deliveries_->Add(ticket, std::move(done));
  return ticket;
}

void CurlFetcher::Cancel(std::uint64_t ticket) {
  if (deliveries_->Drop(ticket)) worker_->Cancel(ticket);
}
