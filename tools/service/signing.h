#pragma once
// The digests the service checks: the MD5 hex of a password and the login signature,
// always over code-page-936 bytes.

#include <string>
#include <string_view>

// 32 lowercase hexadecimal digits of the MD5 digest of bytes.
[[nodiscard]] std::string Md5HexOf(std::string_view bytes);

// Md5Hex(token + timestamp + nonce + user), the texts joined in that order.
[[nodiscard]] std::string ExpectedSignature(std::string_view timestamp, std::string_view nonce, std::string_view user);
