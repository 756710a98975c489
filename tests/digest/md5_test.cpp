#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

#include "digest/md5.h"
#include "digest/md5hex.h"

namespace {

constexpr char kDigits[] = "0123456789abcdef";

std::string Hex(const unsigned char* digest, unsigned int length) {
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += kDigits[digest[i] >> 4];
    hex += kDigits[digest[i] & 15];
  }
  return hex;
}

// OpenSSL is the reference: the digest of the same bytes, written the same way.
std::string OpenSslHex(const std::string& bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr);
  return Hex(digest, length);
}

std::string RandomBytes(std::mt19937& random, std::size_t length) {
  std::string bytes(length, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

void Absorb(MD5_CTX& context, const std::string& bytes, std::size_t from, std::size_t count) {
  context.Update(reinterpret_cast<const unsigned char*>(bytes.data() + from), static_cast<unsigned int>(count));
}

std::string FinalHex(MD5_CTX& context) {
  unsigned char digest[16];
  context.Final(digest);
  return Hex(digest, 16);
}

bool IsLowercaseHexDigest(const std::string& text) {
  return text.size() == 32 &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

struct DigestCase {
  const char* text;
  const char* hex;
};

class Rfc1321Suite : public ::testing::TestWithParam<DigestCase> {};

TEST_P(Rfc1321Suite, GivesThePublishedDigest) { EXPECT_EQ(Md5Hex(GetParam().text), GetParam().hex); }

INSTANTIATE_TEST_SUITE_P(
    Digest, Rfc1321Suite,
    ::testing::Values(DigestCase{"", "d41d8cd98f00b204e9800998ecf8427e"},
                      DigestCase{"a", "0cc175b9c0f1b6a831c399e269772661"},
                      DigestCase{"abc", "900150983cd24fb0d6963f7d28e17f72"},
                      DigestCase{"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
                      DigestCase{"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
                      DigestCase{"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                                 "d174ab98d277d9f5a5611c2c9f419d9f"},
                      DigestCase{"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
                                 "57edf4a22be3c955ac49da2e2107b67a"}));

TEST(Digest, EveryLengthUpTo300MatchesOpenSslWholeAndInRandomPieces) {
  std::mt19937 random(1321);
  for (std::size_t length = 0; length <= 300; ++length) {
    const std::string bytes = RandomBytes(random, length);
    const std::string expected = OpenSslHex(bytes);

    const AnsiString hex = Md5Hex(AnsiString(bytes));
    EXPECT_TRUE(IsLowercaseHexDigest(hex.bytes())) << hex.bytes();
    EXPECT_EQ(hex.bytes(), expected) << "whole, length " << length;

    MD5_CTX context;
    for (std::size_t at = 0; at < length;) {
      const std::size_t piece = std::min<std::size_t>(random() % 70, length - at);  // empty pieces too
      Absorb(context, bytes, at, piece);
      at += piece;
    }
    EXPECT_EQ(FinalHex(context), expected) << "pieces, length " << length;
  }
}

// The lengths where the padding either still fits the last block or needs a block of its own,
// split at every point so that the buffered tail meets each of them.
class PaddingBoundary : public ::testing::TestWithParam<std::size_t> {};

TEST_P(PaddingBoundary, EverySplitIntoTwoUpdatesMatchesOpenSsl) {
  std::mt19937 random(static_cast<unsigned>(GetParam()));
  const std::string bytes = RandomBytes(random, GetParam());
  const std::string expected = OpenSslHex(bytes);
  EXPECT_EQ(Md5Hex(AnsiString(bytes)).bytes(), expected);
  for (std::size_t split = 0; split <= bytes.size(); ++split) {
    MD5_CTX context;
    Absorb(context, bytes, 0, split);
    Absorb(context, bytes, split, bytes.size() - split);
    EXPECT_EQ(FinalHex(context), expected) << "split at " << split;
  }
}

INSTANTIATE_TEST_SUITE_P(Digest, PaddingBoundary, ::testing::Values(55, 56, 63, 64, 65));

TEST(Digest, AFinishedObjectHashesTheNextMessageAfresh) {
  MD5_CTX context;
  const std::string first = "first message, long enough to leave a tail in the buffer: 0123456789";
  Absorb(context, first, 0, first.size());
  EXPECT_EQ(FinalHex(context), OpenSslHex(first));

  Absorb(context, "abc", 0, 3);
  EXPECT_EQ(FinalHex(context), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(FinalHex(context), "d41d8cd98f00b204e9800998ecf8427e");
}

// Past 2^29 bytes the bit count outgrows its low word; fed in pieces, the low word overflows
// and must carry into the high word, which reaches the length block of the padding.
TEST(Digest, AMessagePastHalfAGibibyteCarriesItsBitCountIntoTheHighWord) {
  std::mt19937 random(29);
  const std::string piece = RandomBytes(random, 1 << 20);
  const std::string tail = RandomBytes(random, 37);
  constexpr int kPieces = (1 << 9) + 1;

  MD5_CTX context;
  const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> reference(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  ASSERT_EQ(EVP_DigestInit_ex(reference.get(), EVP_md5(), nullptr), 1);
  for (int i = 0; i < kPieces; ++i) {
    Absorb(context, piece, 0, piece.size());
    ASSERT_EQ(EVP_DigestUpdate(reference.get(), piece.data(), piece.size()), 1);
  }
  Absorb(context, tail, 0, tail.size());
  ASSERT_EQ(EVP_DigestUpdate(reference.get(), tail.data(), tail.size()), 1);

  unsigned char expected[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  ASSERT_EQ(EVP_DigestFinal_ex(reference.get(), expected, &length), 1);
  EXPECT_EQ(FinalHex(context), Hex(expected, length));
}

TEST(Digest, TextsAreHashedAsTheirCodePageBytes) {
  const AnsiString password = "密码";  // code-page-936 bytes in this build
  ASSERT_EQ(password.bytes(), std::string("\xC3\xDC\xC2\xEB"));
  EXPECT_EQ(Md5Hex(password).bytes(), OpenSslHex(password.bytes()));
}

}  // namespace
