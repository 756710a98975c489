#include "login/service_address.h"

AnsiString ServiceHost() { return AnsiString(VOR_SERVICE_HOST); }

AnsiString ServiceBase() { return "http://" + ServiceHost() + "/ringpost_v2/index.php/Login/"; }

AnsiString PercentEncode(const AnsiString& value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(value.bytes().size() * 3);
  for (const char c : value.bytes()) {
    const auto byte = static_cast<unsigned char>(c);
    const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                            (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
    if (unreserved) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  return AnsiString(std::move(encoded));
}
