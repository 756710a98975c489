#pragma once
// Nonces handed out to users: each is good for one login within five minutes of its issue.
// A nonce is spent the first time a login names it, whatever the rest of that login says,
// so no nonce is ever usable twice.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>

class NonceStore final {
 public:
  enum class Verdict { vFresh, vUnknown, vSpent, vExpired, vOtherUser };

  static constexpr std::int64_t kLifetimeSeconds = 300;
  // Outstanding nonces are capped so that a flood of nonce requests cannot grow the store
  // without end; the oldest give way first.
  static constexpr std::size_t kCapacity = 10000;

  // A fresh random nonce for user, issued at now (Unix seconds).
  [[nodiscard]] std::string Issue(const std::string& user, std::int64_t now);
  // Spends nonce if it was issued to user and is still good at now.
  [[nodiscard]] Verdict Spend(const std::string& user, const std::string& nonce, std::int64_t now);
  [[nodiscard]] std::size_t Size() const { return entries_.size(); }

 private:
  struct Entry {
    std::string user;
    std::int64_t issued = 0;
    bool spent = false;
  };
  void Forget(std::int64_t now);

  // Spent nonces stay until they would have expired, so that a replay is named as such.
  std::map<std::string, Entry> entries_;
  std::deque<std::string> order_;  // the nonces of entries_, oldest first
};
