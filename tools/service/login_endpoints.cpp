// The login area: parameters, advertisement, nonce and the signed login.

#include <algorithm>
#include <cctype>

#include "platform/text.h"
#include "tools/service/service_core.h"
#include "tools/service/service_pages.h"
#include "tools/service/signing.h"

namespace {

constexpr std::int64_t kClockSkewSeconds = 300;

bool IsLowerHex32(const std::string& text) {
  return text.size() == 32 && std::all_of(text.begin(), text.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
         });
}

// Decimal Unix seconds, as the client writes them: digits only, no sign, no leading zero.
std::optional<std::int64_t> ParseTimestamp(const std::string& text) {
  if (text.empty() || text.size() > 12 || (text.size() > 1 && text[0] == '0')) return std::nullopt;
  std::int64_t seconds = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    seconds = seconds * 10 + (c - '0');
  }
  return seconds;
}

// The host the web client's address names: the one the client asked for, when it looks
// like a host at all.
std::string ClientHost(const std::string& host) {
  const bool plausible = !host.empty() && host.size() <= 255 && std::all_of(host.begin(), host.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':' || c == '[' || c == ']';
  });
  return plausible ? host : "127.0.0.1";
}

}  // namespace

void ServiceCore::GetParam(Exchange& exchange) {
  AnswerText(exchange, version_ + "|" + update_url_ + "|" + interval_);
}

void ServiceCore::LoginAd(Exchange& exchange) {
  exchange.reply.content_type = kPageType;
  exchange.reply.body = AdvertisementPage(std::string(kLoginRoot) + "client_login_ad_frame");
  exchange.answer = "advertisement page";
}

void ServiceCore::LoginAdFrame(Exchange& exchange) {
  exchange.reply.content_type = kPageType;
  exchange.reply.body = AdvertisementFramePage();
  exchange.answer = "advertisement frame";
}

void ServiceCore::GetNonce(Exchange& exchange) {
  const auto typed = Required(exchange, "userid");
  if (!typed) return;
  // The client sends the user number as typed; the account is the trimmed one.
  const std::string user = Trim(AnsiString(*typed)).bytes();
  if (!accounts_.Knows(user)) return AnswerText(exchange, "");
  AnswerText(exchange, nonces_.Issue(user, clock_()));
}

void ServiceCore::Login(Exchange& exchange) {
  const auto user = Required(exchange, "userid");
  if (!user) return;
  const auto pwd = Required(exchange, "pwd");
  if (!pwd) return;
  const auto timestamp = Required(exchange, "timestamp");
  if (!timestamp) return;
  const auto nonce = Required(exchange, "nonce");
  if (!nonce) return;
  const auto signature = Required(exchange, "signature");
  if (!signature) return;

  if (!accounts_.Knows(*user)) return AnswerText(exchange, "FALSE|账号不存在");
  const std::int64_t now = clock_();
  // The nonce is spent before anything else is judged, so a refused login cannot be
  // retried with it.
  switch (nonces_.Spend(*user, *nonce, now)) {
    case NonceStore::Verdict::vFresh: break;
    case NonceStore::Verdict::vSpent: return AnswerText(exchange, "FALSE|随机码已使用");
    case NonceStore::Verdict::vExpired: return AnswerText(exchange, "FALSE|随机码已过期");
    case NonceStore::Verdict::vUnknown:
    case NonceStore::Verdict::vOtherUser: return AnswerText(exchange, "FALSE|随机码无效");
  }
  const auto seconds = ParseTimestamp(*timestamp);
  if (!seconds) return AnswerText(exchange, "FALSE|时间戳无效");
  if (*seconds < now - kClockSkewSeconds || *seconds > now + kClockSkewSeconds) {
    return AnswerText(exchange, "FALSE|时间不同步");
  }
  if (!IsLowerHex32(*signature) || *signature != ExpectedSignature(*timestamp, *nonce, *user)) {
    return AnswerText(exchange, "FALSE|签名错误");
  }
  if (*pwd != accounts_.PasswordDigest(*user)) return AnswerText(exchange, "FALSE|密码错误");

  const std::string session = board_.OpenSession(*user);
  AnswerText(exchange, "TRUE|http://" + ClientHost(exchange.request.host) + kClientRoot + "index?sid=" + session);
}
