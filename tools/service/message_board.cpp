#include "tools/service/message_board.h"

#include <algorithm>

#include "tools/service/random_hex.h"

std::string MessageBoard::OpenSession(const std::string& user) {
  if (sessions_.size() >= kMaxSessions) {
    sessions_.erase(std::min_element(sessions_.begin(), sessions_.end(), [](const auto& a, const auto& b) {
      return a.second.order < b.second.order;
    }));
  }
  std::string id;
  do {
    id = RandomHex(32);
  } while (sessions_.contains(id));
  sessions_[id] = Session{user, next_order_++, false};
  return id;
}

std::size_t MessageBoard::Deliver(const std::string& user, const std::string& text) {
  Box& box = boxes_[user];
  box.messages.push_back(text);
  if (box.messages.size() > kMaxMessages) box.messages.pop_front();
  box.untold = std::min(box.untold + 1, kMaxMessages);
  return box.untold;
}

std::size_t MessageBoard::RequestExit(const std::string& user) {
  std::size_t count = 0;
  for (auto& [id, session] : sessions_) {
    if (session.user != user) continue;
    session.exit_requested = true;
    ++count;
  }
  return count;
}

std::optional<MessageBoard::View> MessageBoard::Show(const std::string& session) {
  const auto found = sessions_.find(session);
  if (found == sessions_.end()) return std::nullopt;
  Box& box = boxes_[found->second.user];
  View view{found->second.user, {box.messages.begin(), box.messages.end()}, box.untold, found->second.exit_requested};
  box.untold = 0;
  return view;
}
