#include "platform/html/url.h"

#include <cctype>

namespace {

bool HasScheme(const std::string& reference) {
  const auto colon = reference.find(':');
  if (colon == std::string::npos || colon == 0) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    const auto c = static_cast<unsigned char>(reference[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return std::isalpha(static_cast<unsigned char>(reference[0])) != 0;
}

// Drops "." and ".." segments, as browsers do.
std::string NormalizePath(const std::string& path) {
  std::string out;
  std::size_t i = 0;
  while (i < path.size()) {
    std::size_t next = path.find('/', i + 1);
    if (next == std::string::npos) next = path.size();
    const std::string segment = path.substr(i, next - i);  // starts with '/'
    if (segment == "/.") {
      if (next == path.size()) out += '/';
    } else if (segment == "/..") {
      const auto cut = out.rfind('/');
      out.erase(cut == std::string::npos ? 0 : cut);
      if (next == path.size()) out += '/';
    } else {
      out += segment;
    }
    i = next;
  }
  return out.empty() ? "/" : out;
}

}  // namespace

std::string ResolveUrl(const std::string& base, const std::string& reference) {
  if (reference.empty()) return base;
  if (HasScheme(reference)) return reference;
  const auto scheme_end = base.find("://");
  if (scheme_end == std::string::npos) return reference;
  const std::string scheme = base.substr(0, scheme_end);
  const auto path_start = base.find('/', scheme_end + 3);
  const std::string origin = base.substr(0, path_start);
  std::string path = path_start == std::string::npos ? "/" : base.substr(path_start);
  path = path.substr(0, path.find_first_of("?#"));
  if (reference.starts_with("//")) return scheme + ":" + reference;
  if (reference.front() == '/') return origin + NormalizePath(reference.substr(0, reference.find_first_of("?#"))) +
                                       (reference.find_first_of("?#") == std::string::npos
                                            ? std::string()
                                            : reference.substr(reference.find_first_of("?#")));
  if (reference.front() == '?') return origin + path + reference;
  if (reference.front() == '#') return base.substr(0, base.find('#')) + reference;
  const std::string directory = path.substr(0, path.rfind('/') + 1);
  const auto tail_at = reference.find_first_of("?#");
  const std::string relative_path = reference.substr(0, tail_at);
  const std::string tail = tail_at == std::string::npos ? std::string() : reference.substr(tail_at);
  return origin + NormalizePath(directory + relative_path) + tail;
}
