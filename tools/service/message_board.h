#pragma once
// What the web client shows: each user's messages, the sessions opened by logins, and
// the exit requests addressed to those sessions.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

class MessageBoard final {
 public:
  static constexpr std::size_t kMaxMessages = 100;   // per user; the oldest go first
  static constexpr std::size_t kMaxSessions = 1000;  // the oldest session goes first

  struct View {
    std::string user;
    std::vector<std::string> messages;
    std::size_t new_messages = 0;  // delivered since the user's pages last said so
    bool exit_requested = false;
  };

  // A new session for user; returns its id.
  [[nodiscard]] std::string OpenSession(const std::string& user);
  // Adds a message to user's box; returns how many the user has not been told of.
  std::size_t Deliver(const std::string& user, const std::string& text);
  // Asks every open session of user to end; returns how many there were.
  std::size_t RequestExit(const std::string& user);
  // The state a page of the session shows. The new messages count as told from then on.
  [[nodiscard]] std::optional<View> Show(const std::string& session);

 private:
  struct Session {
    std::string user;
    std::uint64_t order = 0;
    bool exit_requested = false;
  };
  struct Box {
    std::deque<std::string> messages;
    std::size_t untold = 0;
  };
  std::map<std::string, Session> sessions_;
  std::map<std::string, Box> boxes_;
  std::uint64_t next_order_ = 0;
};
