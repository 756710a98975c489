#pragma once
// A small HTTP peer on a free loopback port that misbehaves on request: it answers each
// connection with the raw bytes a plan gives for the path, and then closes, resets or holds
// the connection. One request per connection.

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

class FaultServer final {
 public:
  struct Plan {
    std::string bytes;          // written as they are
    bool reset = false;         // then the connection is reset instead of closed
    bool hold = false;          // then nothing more until Release or the server stops
    std::string after_release;  // written once a held connection is released
  };
  struct Request {
    std::string path;
    std::string head;  // request line and headers
  };
  using Planner = std::function<Plan(const Request&)>;

  explicit FaultServer(Planner planner) : planner_(std::move(planner)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listener_, 16) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
      throw std::runtime_error("the fault server cannot listen");
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { Accept(); });
  }

  ~FaultServer() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    shutdown(listener_, SHUT_RDWR);
    acceptor_.join();
    {
      // Connections still waiting for a request head give up.
      std::lock_guard lock(mutex_);
      for (const int connection : open_) shutdown(connection, SHUT_RDWR);
    }
    close(listener_);
    for (std::thread& connection : connections_) connection.join();
  }

  FaultServer(const FaultServer&) = delete;
  FaultServer& operator=(const FaultServer&) = delete;

  [[nodiscard]] int Port() const { return port_; }
  [[nodiscard]] std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

  // Lets every held connection write its remaining bytes and close.
  void Release() {
    {
      std::lock_guard lock(mutex_);
      released_ = true;
    }
    changed_.notify_all();
  }
  // Waits until count requests have arrived (the whole head of each).
  void AwaitRequests(std::size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return requests_.size() >= count; });
  }
  [[nodiscard]] std::vector<Request> Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  void Accept() {
    for (;;) {
      const int connection = accept(listener_, nullptr, nullptr);
      if (connection < 0) return;  // the listener was shut down
      std::lock_guard lock(mutex_);
      open_.push_back(connection);
      connections_.emplace_back([this, connection] { Serve(connection); });
    }
  }

  void Serve(int connection) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
      const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      head.append(buffer, static_cast<std::size_t>(got));
    }
    const auto start = head.find(' ') + 1;
    const Request request{head.substr(start, head.find(' ', start) - start), head};
    const Plan plan = planner_(request);
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    changed_.notify_all();
    Write(connection, plan.bytes);
    if (plan.hold) {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return released_ || stopping_; });
      const bool write_rest = released_;
      lock.unlock();
      if (write_rest) Write(connection, plan.after_release);
    }
    if (plan.reset) {
      const linger abortive{1, 0};
      setsockopt(connection, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    }
    std::lock_guard lock(mutex_);
    std::erase(open_, connection);
    close(connection);
  }

  static void Write(int connection, const std::string& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
      const ssize_t wrote = send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (wrote <= 0) return;  // the client went away
      sent += static_cast<std::size_t>(wrote);
    }
  }

  Planner planner_;
  int listener_ = -1;
  int port_ = 0;
  std::thread acceptor_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopping_ = false;
  bool released_ = false;
  std::vector<Request> requests_;
  std::vector<int> open_;
  std::vector<std::thread> connections_;
};

// Plans for the fault server.
[[nodiscard]] inline FaultServer::Plan Send(std::string bytes, bool reset = false) {
  FaultServer::Plan plan;
  plan.bytes = std::move(bytes);
  plan.reset = reset;
  return plan;
}
[[nodiscard]] inline FaultServer::Plan Held(std::string first, std::string rest) {
  FaultServer::Plan plan;
  plan.bytes = std::move(first);
  plan.hold = true;
  plan.after_release = std::move(rest);
  return plan;
}
// A whole HTTP reply that closes its connection.
[[nodiscard]] inline std::string Reply(const std::string& status, const std::string& headers, const std::string& body) {
  return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n" +
         headers + "\r\n" + body;
}
