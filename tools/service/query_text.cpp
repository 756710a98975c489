#include "tools/service/query_text.h"

#include <algorithm>

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> PercentDecode(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      bytes += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = HexDigit(text[i + 1]);
    const int low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return bytes;
}

}  // namespace

std::optional<QueryParams> DecodeQuery(std::string_view query) {
  QueryParams params;
  while (!query.empty()) {
    const auto amp = query.find('&');
    const std::string_view piece = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    if (piece.empty()) continue;
    const auto equals = piece.find('=');
    auto key = PercentDecode(piece.substr(0, equals));
    auto value = PercentDecode(equals == std::string_view::npos ? std::string_view() : piece.substr(equals + 1));
    if (!key || !value) return std::nullopt;
    params.emplace_back(std::move(*key), std::move(*value));
  }
  return params;
}

bool Repeated(const QueryParams& params, std::string_view key) {
  return std::count_if(params.begin(), params.end(), [key](const auto& p) { return p.first == key; }) > 1;
}

std::optional<std::string> SingleValue(const QueryParams& params, std::string_view key) {
  if (Repeated(params, key)) return std::nullopt;
  const auto found = std::find_if(params.begin(), params.end(), [key](const auto& p) { return p.first == key; });
  if (found == params.end()) return std::nullopt;
  return found->second;
}
