#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>
#include <string>

#include "digest/md5.h"
#include "digest/md5hex.h"

namespace {

std::string OpenSslHex(const std::string& bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr);
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += kDigits[digest[i] >> 4];
    hex += kDigits[digest[i] & 15];
  }
  return hex;
}

std::string Hex(const unsigned char digest[16]) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (int i = 0; i < 16; ++i) {
    hex += kDigits[digest[i] >> 4];
    hex += kDigits[digest[i] & 15];
  }
  return hex;
}

struct DigestCase {
  const char* text;
  const char* hex;
};

class Rfc1321 : public ::testing::TestWithParam<DigestCase> {};

TEST_P(Rfc1321, SuiteGivesTheListedDigests) { EXPECT_EQ(Md5Hex(GetParam().text), GetParam().hex); }

INSTANTIATE_TEST_SUITE_P(
    Digest, Rfc1321,
    ::testing::Values(DigestCase{"", "d41d8cd98f00b204e9800998ecf8427e"},
                      DigestCase{"a", "0cc175b9c0f1b6a831c399e269772661"},
                      DigestCase{"abc", "900150983cd24fb0d6963f7d28e17f72"},
                      DigestCase{"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
                      DigestCase{"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
                      DigestCase{"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                                 "d174ab98d277d9f5a5611c2c9f419d9f"},
                      DigestCase{"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
                                 "57edf4a22be3c955ac49da2e2107b67a"}));

TEST(Digest, EveryLengthWholeOrInPiecesMatchesOpenSsl) {
  std::mt19937 random(1321);
  for (int length = 0; length <= 300; ++length) {
    std::string bytes(static_cast<std::size_t>(length), '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    const std::string expected = OpenSslHex(bytes);
    EXPECT_EQ(Md5Hex(AnsiString(bytes)), expected) << "length " << length;

    MD5_CTX context;
    std::size_t at = 0;
    while (at < bytes.size()) {
      const std::size_t piece = std::min<std::size_t>(random() % 70, bytes.size() - at);  // 0 included
      context.Update(reinterpret_cast<const unsigned char*>(bytes.data() + at), static_cast<unsigned>(piece));
      at += piece;
    }
    unsigned char digest[16];
    context.Final(digest);
    EXPECT_EQ(Hex(digest), expected) << "pieces, length " << length;
  }
}

TEST(Digest, AFinishedObjectStartsAfresh) {
  MD5_CTX context;
  unsigned char digest[16];
  context.Update(reinterpret_cast<const unsigned char*>("first"), 5);
  context.Final(digest);
  context.Update(reinterpret_cast<const unsigned char*>("abc"), 3);
  context.Final(digest);
  EXPECT_EQ(Hex(digest), "900150983cd24fb0d6963f7d28e17f72");
  context.Final(digest);
  EXPECT_EQ(Hex(digest), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Digest, TextsAreHashedAsTheirCodePageBytes) {
  const AnsiString password = "密码";  // code-page-936 bytes in this build
  EXPECT_EQ(password.bytes(), std::string("\xC3\xDC\xC2\xEB"));
  EXPECT_EQ(Md5Hex(password), OpenSslHex(password.bytes()));
}

}  // namespace
