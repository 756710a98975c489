// The web client of a logged-in session and the status its script polls.

#include "platform/sim/json.h"
#include "tools/service/service_core.h"
#include "tools/service/service_pages.h"

void ServiceCore::ClientIndex(Exchange& exchange) {
  const auto session = SingleValue(exchange.params, "sid");
  const auto view = session ? board_.Show(*session) : std::nullopt;
  exchange.reply.content_type = kPageType;
  if (!view) {
    exchange.reply.status = 403;
    exchange.reply.body = NoSessionPage();
    exchange.answer = "no such session";
    return;
  }
  ClientPageContent content{view->user, view->messages, view->new_messages, view->exit_requested,
                            std::string(kClientRoot) + "status?sid=" + *session};
  exchange.reply.body = ClientPage(content);
  exchange.answer = "web client page: client_new_msg=" + std::to_string(view->new_messages) +
                    " client_exit=" + (view->exit_requested ? "1" : "0");
}

void ServiceCore::ClientStatus(Exchange& exchange) {
  const auto session = SingleValue(exchange.params, "sid");
  const auto view = session ? board_.Show(*session) : std::nullopt;
  if (!view) return AnswerJson(exchange, 403, R"({"error":"no such session"})");
  AnswerJson(exchange, 200,
             JsonObject()
                 .Add("new_msg", static_cast<std::int64_t>(view->new_messages))
                 .Add("exit", view->exit_requested ? 1 : 0)
                 .str());
}
