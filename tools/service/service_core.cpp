#include "tools/service/service_core.h"

#include <ctime>
#include <random>

#include "platform/text.h"
#include "tools/service/service_pages.h"

namespace {

constexpr std::size_t kHugeBytes = 20u * 1024 * 1024;

const char* FaultName(Fault fault) {
  switch (fault) {
    case Fault::fStall: return "stall";
    case Fault::fReset: return "reset";
    case Fault::fGarbage: return "garbage";
    case Fault::fHuge: return "huge";
    case Fault::fStatus500: return "status500";
    case Fault::fWrongCharset: return "wrong-charset";
  }
  return "";
}

// Binary noise, the same on every run.
std::string Garbage() {
  std::mt19937 noise(936);
  std::string bytes(4096, '\0');
  for (char& byte : bytes) byte = static_cast<char>(noise() & 0xFF);
  return bytes;
}

}  // namespace

std::int64_t SystemUnixSeconds() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

ServiceCore::ServiceCore(const ServiceOptions& options, AccountBook accounts, Clock clock)
    : version_(Utf8ToAnsi(options.version).bytes()),
      update_url_(Utf8ToAnsi(options.update_url).bytes()),
      interval_(options.interval),
      faults_(options.faults),
      accounts_(std::move(accounts)),
      clock_(std::move(clock)) {}

void ServiceCore::SetLogSink(std::function<void(const std::string&)> sink) {
  std::lock_guard lock(mutex_);
  sink_ = std::move(sink);
}

std::vector<LoggedRequest> ServiceCore::Log() const {
  std::lock_guard lock(mutex_);
  return {log_.Entries().begin(), log_.Entries().end()};
}

ServiceReply ServiceCore::Handle(const ServiceRequest& request) {
  std::lock_guard lock(mutex_);
  if (request.path == "/admin/log") {
    ServiceReply reply;
    reply.status = request.from_loopback ? 200 : 403;
    reply.content_type = "application/x-ndjson";
    if (request.from_loopback) reply.body = log_.Lines();
    return reply;
  }
  Exchange exchange{request, {}, {}, {}};
  std::string endpoint;
  bool login_area = false;
  if (request.path.starts_with(kLoginRoot)) {
    endpoint = request.path.substr(std::string_view(kLoginRoot).size());
    login_area = true;
  } else if (request.path.starts_with(kClientRoot)) {
    endpoint = request.path.substr(std::string_view(kClientRoot).size());
  } else {
    exchange.gbk_query = false;
  }
  auto params = DecodeQuery(request.query);
  if (!params) {
    AnswerText(exchange, "FALSE|参数格式错误");
  } else {
    exchange.params = std::move(*params);
    Route(exchange, endpoint, login_area);
  }
  std::string fault;
  if (!endpoint.empty()) {
    if (const auto played = FaultFor(endpoint)) {
      PlayFault(exchange, *played);
      fault = FaultName(*played);
    }
  }
  Record(exchange, fault);
  return std::move(exchange.reply);
}

void ServiceCore::Route(Exchange& exchange, const std::string& endpoint, bool login_area) {
  const std::string& path = exchange.request.path;
  if (login_area && endpoint == "client_get_param") return GetParam(exchange);
  if (login_area && endpoint == "client_login_ad") return LoginAd(exchange);
  if (login_area && endpoint == "client_login_ad_frame") return LoginAdFrame(exchange);
  if (login_area && endpoint == "client_get_nonce") return GetNonce(exchange);
  if (login_area && endpoint == "client_login") return Login(exchange);
  if (!login_area && endpoint == "index") return ClientIndex(exchange);
  if (!login_area && endpoint == "status") return ClientStatus(exchange);
  if (path.starts_with("/admin/") && !exchange.request.from_loopback) {
    return AnswerJson(exchange, 403, R"({"ok":false,"reason":"the admin interface answers loopback peers only"})");
  }
  if (path == "/admin/deliver") return AdminDeliver(exchange);
  if (path == "/admin/exit") return AdminExit(exchange);
  exchange.reply.status = 404;
  AnswerText(exchange, "");
  exchange.answer = "not found";
}

void ServiceCore::AnswerText(Exchange& exchange, const std::string& text) {
  exchange.reply.content_type = kPageType;
  exchange.reply.body = TextPage(text);
  exchange.answer = AnsiToUtf8(AnsiString(text));
}

void ServiceCore::AnswerJson(Exchange& exchange, int status, const std::string& json) {
  exchange.reply.status = status;
  exchange.reply.content_type = "application/json";
  exchange.reply.body = json;
  exchange.answer = json;
}

std::optional<std::string> ServiceCore::Required(Exchange& exchange, const char* key) {
  if (Repeated(exchange.params, key)) {
    AnswerText(exchange, "FALSE|参数重复");
    return std::nullopt;
  }
  auto value = SingleValue(exchange.params, key);
  if (!value || value->empty()) {
    AnswerText(exchange, "FALSE|缺少参数");
    return std::nullopt;
  }
  if (value->size() > kMaxValue) {
    AnswerText(exchange, "FALSE|参数过长");
    return std::nullopt;
  }
  return value;
}

std::optional<Fault> ServiceCore::FaultFor(const std::string& endpoint) const {
  for (const FaultRule& rule : faults_) {
    if (rule.endpoint.empty() || rule.endpoint == endpoint) return rule.fault;
  }
  return std::nullopt;
}

void ServiceCore::PlayFault(Exchange& exchange, Fault fault) {
  ServiceReply& reply = exchange.reply;
  switch (fault) {
    case Fault::fStall:
    case Fault::fReset:
      reply.transport_fault = fault;
      break;
    case Fault::fGarbage:
      reply.body = Garbage();
      break;
    case Fault::fHuge:
      reply.body.append(kHugeBytes - std::min(kHugeBytes, reply.body.size()), ' ');
      break;
    case Fault::fStatus500:
      reply.status = 500;
      break;
    case Fault::fWrongCharset:
      reply.content_type = "text/html; charset=UTF-8";
      break;
  }
}

void ServiceCore::Record(const Exchange& exchange, const std::string& fault) {
  LoggedRequest entry;
  entry.path = exchange.request.path;
  entry.raw_query = exchange.request.query;
  for (const auto& [key, value] : exchange.params) {
    entry.query.emplace_back(exchange.gbk_query ? AnsiToUtf8(AnsiString(key)) : key,
                             exchange.gbk_query ? AnsiToUtf8(AnsiString(value)) : value);
  }
  entry.status = exchange.reply.status;
  entry.answer = exchange.answer;
  entry.fault = fault;
  log_.Add(std::move(entry));
  if (sink_) sink_(LogLine(log_.Entries().back()));
}
