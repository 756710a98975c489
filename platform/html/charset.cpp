#include "platform/html/charset.h"

namespace {

// Meta tags count only near the top of the page, where browsers look for them.
constexpr std::size_t kMetaScanBytes = 1024;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// Characters of a charset name. Anything else ends it, which also keeps converter options
// such as "//IGNORE" out of the name handed to the converter.
bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == ':' || c == '.';
}

// The value of the first "charset = name" in text (already lower case), or empty.
std::string CharsetParameter(std::string_view text) {
  for (auto at = text.find("charset"); at != std::string_view::npos; at = text.find("charset", at + 1)) {
    std::size_t next = at + 7;
    while (next < text.size() && IsBlank(text[next])) ++next;
    if (next == text.size() || text[next] != '=') continue;
    ++next;
    while (next < text.size() && (IsBlank(text[next]) || text[next] == '"' || text[next] == '\'')) ++next;
    std::size_t end = next;
    while (end < text.size() && IsNameCharacter(text[end])) ++end;
    if (end > next) return std::string(text.substr(next, end - next));
  }
  return {};
}

}  // namespace

bool IsPageType(std::string_view content_type) {
  std::string_view media = content_type.substr(0, content_type.find(';'));
  while (!media.empty() && IsBlank(media.front())) media.remove_prefix(1);
  while (!media.empty() && IsBlank(media.back())) media.remove_suffix(1);
  const std::string lower = LowerAscii(media);
  return lower.empty() || lower.starts_with("text/") || lower == "application/xhtml+xml";
}

std::string DeclaredCharset(std::string_view bytes, const std::string& content_type) {
  std::string charset = CharsetParameter(LowerAscii(content_type));
  if (!charset.empty()) return charset;
  const std::string head = LowerAscii(bytes.substr(0, kMetaScanBytes));
  for (auto meta = head.find("<meta"); meta != std::string::npos; meta = head.find("<meta", meta + 5)) {
    const auto end = head.find('>', meta);
    charset = CharsetParameter(std::string_view(head).substr(meta, end == std::string::npos ? end : end - meta));
    if (!charset.empty()) return charset;
  }
  return {};
}

WideString DecodePage(std::string_view bytes, const std::string& content_type) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return DecodeCharset(bytes.substr(3), "UTF-8");
  if (bytes.starts_with("\xFF\xFE")) return DecodeCharset(bytes.substr(2), "UTF-16LE");
  if (bytes.starts_with("\xFE\xFF")) return DecodeCharset(bytes.substr(2), "UTF-16BE");
  return DecodeCharset(bytes, DeclaredCharset(bytes, content_type));
}
