#include "tools/service/signing.h"

#include <openssl/evp.h>

#include <stdexcept>

namespace {

// Shared with the client, which signs its login requests with it.
constexpr std::string_view kSigningToken = "5b0c9e14a7f36d28c1e49b07f2a53d6e";

}  // namespace

std::string Md5HexOf(std::string_view bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_md5(), nullptr) != 1) {
    throw std::runtime_error("MD5 is not available");
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < size; ++i) {
    hex += kHex[digest[i] >> 4];
    hex += kHex[digest[i] & 0x0F];
  }
  return hex;
}

std::string ExpectedSignature(std::string_view timestamp, std::string_view nonce, std::string_view user) {
  std::string input(kSigningToken);
  input.append(timestamp).append(nonce).append(user);
  return Md5HexOf(input);
}
