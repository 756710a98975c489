#include "tools/service/random_hex.h"

#include <random>

std::string RandomHex(std::size_t digits) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::random_device device;
  std::string text;
  while (text.size() < digits) {
    unsigned value = device();
    for (int i = 0; i < 8 && text.size() < digits; ++i, value >>= 4) text += kHex[value & 0x0F];
  }
  return text;
}
