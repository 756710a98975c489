#include "platform/html/url.h"

#include <string_view>
#include <utility>

namespace {

bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Pages often pad their attribute values; browsers ignore blanks around an address.
std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n\f");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n\f") - first + 1);
}

// "scheme:" where the scheme is a letter followed by letters, digits, "+", "-" or ".".
bool HasScheme(const std::string& reference) {
  const auto colon = reference.find(':');
  if (colon == std::string::npos || colon == 0 || !IsAsciiAlpha(reference[0])) return false;
  for (std::size_t i = 1; i < colon; ++i) {
    const char c = reference[i];
    if (!IsAsciiAlpha(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

// Splits "path?query#fragment" into the path and the part from "?" or "#" on.
std::pair<std::string, std::string> SplitTail(std::string_view text) {
  const auto at = text.find_first_of("?#");
  if (at == std::string_view::npos) return {std::string(text), {}};
  return {std::string(text.substr(0, at)), std::string(text.substr(at))};
}

// Drops "." segments and lets ".." take back the segment before it; path starts with "/".
std::string RemoveDotSegments(const std::string& path) {
  std::string out;
  std::size_t at = 0;
  while (at < path.size()) {
    std::size_t next = path.find('/', at + 1);
    if (next == std::string::npos) next = path.size();
    const std::string_view segment(path.data() + at, next - at);  // with its leading "/"
    const bool last = next == path.size();
    if (segment == "/.") {
      if (last) out += '/';
    } else if (segment == "/..") {
      const auto cut = out.rfind('/');
      out.erase(cut == std::string::npos ? 0 : cut);
      if (last) out += '/';
    } else {
      out += segment;
    }
    at = next;
  }
  return out.empty() ? "/" : out;
}

}  // namespace

std::string ResolveUrl(const std::string& base, const std::string& reference_text) {
  const std::string reference = TrimBlanks(reference_text);
  if (HasScheme(reference)) return reference;
  const auto scheme_end = base.find("://");
  if (scheme_end == std::string::npos) return reference;

  const std::string without_fragment = base.substr(0, base.find('#'));
  if (reference.empty()) return without_fragment;
  if (reference.starts_with("//")) return base.substr(0, scheme_end + 1) + reference;

  const auto authority_end = base.find_first_of("/?#", scheme_end + 3);
  const std::string origin = base.substr(0, authority_end);
  std::string base_path =
      SplitTail(authority_end == std::string::npos ? std::string_view() : std::string_view(base).substr(authority_end))
          .first;
  if (base_path.empty()) base_path = "/";

  auto [path, tail] = SplitTail(reference);
  if (path.empty()) {
    if (tail.front() == '#') return without_fragment + tail;
    return origin + base_path + tail;
  }
  if (path.front() != '/') path = base_path.substr(0, base_path.rfind('/') + 1) + path;
  return origin + RemoveDotSegments(path) + tail;
}
