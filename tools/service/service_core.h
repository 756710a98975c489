#pragma once
// The service's request handling, apart from any HTTP library: the four login endpoints,
// the advertisement with its frame, the web client with its status, and the admin
// interface. One lock guards all of it, so the HTTP server may call it from any thread.

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "tools/service/account_book.h"
#include "tools/service/message_board.h"
#include "tools/service/nonce_store.h"
#include "tools/service/query_text.h"
#include "tools/service/request_log.h"
#include "tools/service/service_options.h"

inline constexpr const char* kLoginRoot = "/ringpost_v2/index.php/Login/";
inline constexpr const char* kClientRoot = "/ringpost_v2/index.php/Client/";

struct ServiceRequest {
  std::string path;   // decoded
  std::string query;  // after the "?", still encoded
  std::string host;   // the Host header, which the web client's address repeats
  bool from_loopback = true;
};

struct ServiceReply {
  int status = 200;
  std::string content_type;
  std::string body;
  // A fault that only the connection can play (stalling or dropping it).
  std::optional<Fault> transport_fault;
};

class ServiceCore final {
 public:
  using Clock = std::function<std::int64_t()>;  // Unix seconds

  ServiceCore(const ServiceOptions& options, AccountBook accounts, Clock clock);

  // Answers request and logs it (the admin log itself is not logged).
  [[nodiscard]] ServiceReply Handle(const ServiceRequest& request);
  // Receives each log line as it is written.
  void SetLogSink(std::function<void(const std::string&)> sink);
  [[nodiscard]] std::vector<LoggedRequest> Log() const;

  // Longest value any parameter may have; longer ones are refused.
  static constexpr std::size_t kMaxValue = 256;
  static constexpr std::size_t kMaxMessage = 2000;

 private:
  // One request on its way through the handlers.
  struct Exchange {
    const ServiceRequest& request;
    QueryParams params;
    ServiceReply reply;
    std::string answer;   // for the log, UTF-8
    bool gbk_query = true;  // client queries are code page 936; admin queries UTF-8
  };

  void Route(Exchange& exchange, const std::string& endpoint, bool login_area);
  // Login area (login_endpoints.cpp).
  void GetParam(Exchange& exchange);
  void LoginAd(Exchange& exchange);
  void LoginAdFrame(Exchange& exchange);
  void GetNonce(Exchange& exchange);
  void Login(Exchange& exchange);
  // Web client (client_endpoints.cpp).
  void ClientIndex(Exchange& exchange);
  void ClientStatus(Exchange& exchange);
  // Admin interface (admin_endpoints.cpp).
  void AdminDeliver(Exchange& exchange);
  void AdminExit(Exchange& exchange);

  // Replies with a text the client reads, in code page 936.
  static void AnswerText(Exchange& exchange, const std::string& text);
  static void AnswerJson(Exchange& exchange, int status, const std::string& json);
  // The value of a required parameter, or nothing after answering "FALSE|" and a reason.
  static std::optional<std::string> Required(Exchange& exchange, const char* key);
  [[nodiscard]] std::optional<Fault> FaultFor(const std::string& endpoint) const;
  static void PlayFault(Exchange& exchange, Fault fault);
  void Record(const Exchange& exchange, const std::string& fault);

  const std::string version_;     // code page 936
  const std::string update_url_;  // code page 936
  const std::string interval_;
  const std::vector<FaultRule> faults_;
  const AccountBook accounts_;
  const Clock clock_;

  mutable std::mutex mutex_;
  NonceStore nonces_;
  MessageBoard board_;
  RequestLog log_;
  std::function<void(const std::string&)> sink_;
};

[[nodiscard]] std::int64_t SystemUnixSeconds();
