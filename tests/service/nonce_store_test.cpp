// Nonces: one login each, within five minutes, for the user they were issued to.

#include <gtest/gtest.h>

#include <set>

#include "tools/service/nonce_store.h"

namespace {

constexpr std::int64_t kIssued = 1'800'000'000;
using Verdict = NonceStore::Verdict;

TEST(NonceStore, ANonceIsGoodOnceForItsUser) {
  NonceStore store;
  const std::string nonce = store.Issue("10001", kIssued);
  EXPECT_EQ(nonce.size(), 32u);
  EXPECT_EQ(store.Spend("10001", nonce, kIssued + 1), Verdict::vFresh);
  EXPECT_EQ(store.Spend("10001", nonce, kIssued + 2), Verdict::vSpent);
}

struct AgeCase {
  std::int64_t age;
  Verdict verdict;
};

void PrintTo(const AgeCase& c, std::ostream* out) { *out << "age " << c.age; }

class NonceAge : public ::testing::TestWithParam<AgeCase> {};

TEST_P(NonceAge, ExpiresAfterFiveMinutes) {
  NonceStore store;
  const std::string nonce = store.Issue("10001", kIssued);
  EXPECT_EQ(store.Spend("10001", nonce, kIssued + GetParam().age), GetParam().verdict);
}

INSTANTIATE_TEST_SUITE_P(Ages, NonceAge,
                         ::testing::Values(AgeCase{0, Verdict::vFresh}, AgeCase{300, Verdict::vFresh},
                                           AgeCase{301, Verdict::vExpired}, AgeCase{-1, Verdict::vExpired}));

TEST(NonceStore, ANonceNamedForAnotherUserIsSpentAllTheSame) {
  NonceStore store;
  const std::string nonce = store.Issue("10001", kIssued);
  EXPECT_EQ(store.Spend("10002", nonce, kIssued), Verdict::vOtherUser);
  EXPECT_EQ(store.Spend("10001", nonce, kIssued), Verdict::vSpent);
}

TEST(NonceStore, NoncesNeverIssuedAreUnknown) {
  NonceStore store;
  (void)store.Issue("10001", kIssued);
  EXPECT_EQ(store.Spend("10001", "", kIssued), Verdict::vUnknown);
  EXPECT_EQ(store.Spend("10001", "0123456789abcdef0123456789abcdef", kIssued), Verdict::vUnknown);
}

TEST(NonceStore, ExpiredNoncesAreForgottenWhenTheNextIsIssued) {
  NonceStore store;
  const std::string old = store.Issue("10001", kIssued);
  (void)store.Issue("10001", kIssued + 301);
  EXPECT_EQ(store.Size(), 1u);
  EXPECT_EQ(store.Spend("10001", old, kIssued + 301), Verdict::vUnknown);
}

TEST(NonceStore, AFloodOfRequestsKeepsTheStoreBoundedAndTheNoncesDistinct) {
  NonceStore store;
  std::set<std::string> seen;
  std::string first;
  for (std::size_t i = 0; i < NonceStore::kCapacity + 10; ++i) {
    const std::string nonce = store.Issue("10001", kIssued);
    if (i == 0) first = nonce;
    seen.insert(nonce);
  }
  EXPECT_EQ(seen.size(), NonceStore::kCapacity + 10);
  EXPECT_EQ(store.Size(), NonceStore::kCapacity);
  EXPECT_EQ(store.Spend("10001", first, kIssued), Verdict::vUnknown);  // the oldest gave way
}

}  // namespace
