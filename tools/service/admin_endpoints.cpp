// The admin interface for tests and demos. Its parameters are UTF-8, as a shell or a test
// writes them; the service keeps users and messages in code page 936.

#include "platform/sim/json.h"
#include "platform/text.h"
#include "tools/service/service_core.h"

namespace {

std::string Refusal(const std::string& reason) { return JsonObject().Add("ok", false).Add("reason", reason).str(); }

}  // namespace

void ServiceCore::AdminDeliver(Exchange& exchange) {
  const auto user = SingleValue(exchange.params, "user");
  const auto text = SingleValue(exchange.params, "text");
  if (!user || !text || text->empty()) return AnswerJson(exchange, 400, Refusal("needs one user and one text"));
  if (text->size() > kMaxMessage) return AnswerJson(exchange, 400, Refusal("the text is too long"));
  const std::string account = Utf8ToAnsi(*user).bytes();
  if (!accounts_.Knows(account)) return AnswerJson(exchange, 404, Refusal("unknown user"));
  const std::size_t untold = board_.Deliver(account, Utf8ToAnsi(*text).bytes());
  AnswerJson(exchange, 200, JsonObject().Add("ok", true).Add("new_msg", static_cast<std::int64_t>(untold)).str());
}

void ServiceCore::AdminExit(Exchange& exchange) {
  const auto user = SingleValue(exchange.params, "user");
  if (!user) return AnswerJson(exchange, 400, Refusal("needs one user"));
  const std::string account = Utf8ToAnsi(*user).bytes();
  if (!accounts_.Knows(account)) return AnswerJson(exchange, 404, Refusal("unknown user"));
  const std::size_t sessions = board_.RequestExit(account);
  AnswerJson(exchange, 200, JsonObject().Add("ok", true).Add("sessions", static_cast<std::int64_t>(sessions)).str());
}
