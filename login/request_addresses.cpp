#include "login/request_addresses.h"

#include "digest/md5hex.h"
#include "login/service_address.h"

namespace {

// Shared with the service; it enters the signature and never travels itself.
constexpr const char* kSigningToken = "5b0c9e14a7f36d28c1e49b07f2a53d6e";

}  // namespace

AnsiString NonceAddress(const AnsiString& userId) {
  return ServiceBase() + "client_get_nonce?userid=" + PercentEncode(userId);
}

AnsiString LoginSignature(const AnsiString& timestamp, const AnsiString& nonce, const AnsiString& userId) {
  return Md5Hex(AnsiString(kSigningToken) + timestamp + nonce + userId);
}

AnsiString LoginAddress(const LoginValues& values) {
  const AnsiString signature = LoginSignature(values.timestamp, values.nonce, values.userId);
  return ServiceBase() + "client_login?" + "userid=" + PercentEncode(values.userId) +
         "&pwd=" + PercentEncode(values.password) + "&timestamp=" + PercentEncode(values.timestamp) +
         "&nonce=" + PercentEncode(values.nonce) + "&signature=" + PercentEncode(signature);
}
