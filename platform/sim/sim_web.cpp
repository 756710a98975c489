#include "platform/sim/sim_web.h"

#include <stdexcept>

#include "platform/message_loop.h"

void SimWeb::Serve(const std::string& prefix, const std::string& body, const std::string& content_type) {
  for (Page& page : pages_) {
    if (page.prefix == prefix) {
      page.body = body;
      page.content_type = content_type;
      return;
    }
  }
  pages_.push_back(Page{prefix, body, content_type});
}

const SimWeb::Page* SimWeb::Find(const std::string& url) const {
  const Page* best = nullptr;
  for (const Page& page : pages_) {
    if (url.starts_with(page.prefix) && (!best || page.prefix.size() > best->prefix.size())) best = &page;
  }
  return best;
}

std::uint64_t SimWeb::Fetch(const std::string& url, Callback done) {
  if (!loop_) throw std::logic_error("the simulated web has no message loop to deliver pages on");
  const std::uint64_t ticket = next_ticket_++;
  const Page* page = Find(url);
  if (!page && network_) {
    network_tickets_[ticket] = network_->Fetch(url, [this, ticket, done = std::move(done)](Response response) {
      network_tickets_.erase(ticket);
      done(std::move(response));
    });
    return ticket;
  }
  live_.insert(ticket);
  // An address that no page matches is served an empty page.
  Response response = page ? Response{page->body, page->content_type, url} : Response{{}, "text/html", url};
  loop_->CallAt(loop_->desktop().NowMs() + latency_ms_,
                [this, ticket, response = std::move(response), done = std::move(done)]() mutable {
                  if (live_.erase(ticket) == 0) return;  // cancelled meanwhile
                  done(std::move(response));
                });
  return ticket;
}

void SimWeb::Cancel(std::uint64_t ticket) {
  live_.erase(ticket);
  const auto found = network_tickets_.find(ticket);
  if (found != network_tickets_.end()) {
    network_->Cancel(found->second);
    network_tickets_.erase(found);
  }
}
