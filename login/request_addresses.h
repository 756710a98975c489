#pragma once
// The addresses of the two requests that carry the user's input: the nonce request and
// the signed login request. Every value is percent-encoded where it enters the query, so
// that no "&", "=", "#" or blank in a user number or nonce can add or change a parameter;
// the signature is taken over the values as they are, before encoding.

#include "platform/text.h"

// The texts a login request carries, unencoded.
struct LoginValues {
  AnsiString userId;     // trimmed
  AnsiString password;   // the password value: a digest, or the stored value unchanged
  AnsiString timestamp;  // Unix seconds in decimal, read once for address and signature
  AnsiString nonce;      // the whole nonce reply
};

// Base address + "client_get_nonce?userid=" + the encoded user number.
[[nodiscard]] AnsiString NonceAddress(const AnsiString& userId);

// Md5Hex(token + timestamp + nonce + userId), joined in that order with nothing between.
[[nodiscard]] AnsiString LoginSignature(const AnsiString& timestamp, const AnsiString& nonce,
                                        const AnsiString& userId);

// Base address + "client_login?userid=...&pwd=...&timestamp=...&nonce=...&signature=...".
[[nodiscard]] AnsiString LoginAddress(const LoginValues& values);
