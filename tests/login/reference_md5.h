#pragma once
// The MD5 hex digest as OpenSSL computes it, so that expected requests do not depend on
// the program's own digest.

#include <openssl/evp.h>

#include <cstdio>
#include <string>

[[nodiscard]] inline std::string ReferenceMd5Hex(const std::string& bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr);
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    const unsigned char byte = digest[i];
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", byte);
    hex += pair;
  }
  return hex;
}

inline const std::string kSigningToken = "5b0c9e14a7f36d28c1e49b07f2a53d6e";
