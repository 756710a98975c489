#include "digest/md5hex.h"

#include "digest/md5.h"

AnsiString Md5Hex(const AnsiString& text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  MD5_CTX context;
  context.Update(reinterpret_cast<const unsigned char*>(text.bytes().data()),
                 static_cast<unsigned int>(text.bytes().size()));
  unsigned char digest[16];
  context.Final(digest);
  std::string hex(32, '0');
  for (int i = 0; i < 16; ++i) {
    hex[2 * i] = kDigits[digest[i] >> 4];
    hex[2 * i + 1] = kDigits[digest[i] & 0x0F];
  }
  return AnsiString(std::move(hex));
}
