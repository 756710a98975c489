#include "tools/service/nonce_store.h"

#include "tools/service/random_hex.h"

std::string NonceStore::Issue(const std::string& user, std::int64_t now) {
  Forget(now);
  if (order_.size() >= kCapacity) {
    entries_.erase(order_.front());
    order_.pop_front();
  }
  std::string nonce;
  do {
    nonce = RandomHex(32);
  } while (entries_.contains(nonce));
  entries_[nonce] = Entry{user, now, false};
  order_.push_back(nonce);
  return nonce;
}

NonceStore::Verdict NonceStore::Spend(const std::string& user, const std::string& nonce, std::int64_t now) {
  const auto found = entries_.find(nonce);
  if (found == entries_.end()) return Verdict::vUnknown;
  Entry& entry = found->second;
  if (entry.spent) return Verdict::vSpent;
  entry.spent = true;
  if (entry.user != user) return Verdict::vOtherUser;
  if (now - entry.issued > kLifetimeSeconds || now < entry.issued) return Verdict::vExpired;
  return Verdict::vFresh;
}

void NonceStore::Forget(std::int64_t now) {
  while (!order_.empty() && now - entries_.at(order_.front()).issued > kLifetimeSeconds) {
    entries_.erase(order_.front());
    order_.pop_front();
  }
}
