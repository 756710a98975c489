#include "login/parameter_values.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view lower_prefix) {
  if (text.size() < lower_prefix.size()) return false;
  return std::equal(lower_prefix.begin(), lower_prefix.end(), text.begin(), [](char prefix_char, char text_char) {
    const auto byte = static_cast<unsigned char>(text_char);
    const char lowered = byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : text_char;
    return lowered == prefix_char;
  });
}

}  // namespace

UINT PollIntervalMs(int seconds) {
  constexpr std::int64_t kLongest = std::numeric_limits<std::int32_t>::max();
  const std::int64_t ms = static_cast<std::int64_t>(seconds) * 1000;
  return static_cast<UINT>(std::clamp<std::int64_t>(ms, 0, kLongest));
}

bool IsWebAddress(const AnsiString& address) {
  return StartsWithIgnoringCase(address.bytes(), "http://") || StartsWithIgnoringCase(address.bytes(), "https://");
}
