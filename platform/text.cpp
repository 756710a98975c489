#include "platform/text.h"

#include <iconv.h>

#include <cerrno>
#include <climits>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/exceptions.h"

int AnsiString::Pos(const AnsiString& sub) const {
  const auto found = bytes_.find(sub.bytes_);
  return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

AnsiString AnsiString::SubString(int index, int count) const {
  if (index < 1) index = 1;
  if (count <= 0 || index > Length()) return {};
  return AnsiString(bytes_.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count)));
}

namespace {

constexpr const char* kSystemCodePage = "CP936";

struct IconvCloser {
  void operator()(void* handle) const { iconv_close(static_cast<iconv_t>(handle)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

// The converter from one charset to another, or null when there is none. Opening one
// loads the charset's module, and closing the last converter that uses it unloads it
// again, which costs more than most conversions; so each thread keeps the converters it
// has opened, set back to their initial state for every use. Only charsets that exist are
// kept, so pages naming made-up charsets cannot grow the cache.
iconv_t Converter(const char* to, const char* from) {
  thread_local std::map<std::pair<std::string, std::string>, IconvHandle> converters;
  auto key = std::make_pair(std::string(to), std::string(from));
  auto found = converters.find(key);
  if (found == converters.end()) {
    iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1)) return nullptr;
    found = converters.emplace(std::move(key), IconvHandle(handle)).first;
  }
  auto* handle = static_cast<iconv_t>(found->second.get());
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  return handle;
}

// Converts as far as possible; a sequence the target cannot take, or an invalid input
// sequence, is replaced by `replacement` (already in the target encoding) and skipped by
// `skip_units` input bytes.
std::string Convert(iconv_t handle, std::string_view input, std::string_view replacement, std::size_t skip_bytes) {
  std::string output;
  output.resize(input.size() * 2 + 16);
  char* in = const_cast<char*>(input.data());
  std::size_t in_left = input.size();
  std::size_t out_used = 0;
  while (in_left > 0) {
    char* out = output.data() + out_used;
    std::size_t out_left = output.size() - out_used;
    const std::size_t result = iconv(handle, &in, &in_left, &out, &out_left);
    out_used = output.size() - out_left;
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      output.resize(output.size() * 2);
    } else {
      // EILSEQ or EINVAL (a truncated sequence at the end): replace and move on.
      if (output.size() - out_used < replacement.size()) output.resize(output.size() * 2 + replacement.size());
      output.replace(out_used, replacement.size(), replacement);
      out_used += replacement.size();
      const std::size_t skip = std::min(skip_bytes, in_left);
      in += skip;
      in_left -= skip;
      iconv(handle, nullptr, nullptr, nullptr, nullptr);
    }
  }
  output.resize(out_used);
  return output;
}

std::string_view AsBytes(const WideString& text) {
  return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

WideString FromBytes(const std::string& bytes) {
  WideString text(bytes.size() / sizeof(char16_t), u'\0');
  std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(text.size() * sizeof(char16_t)),
            reinterpret_cast<char*>(text.data()));
  return text;
}

const std::string kWideReplacement{"\xFD\xFF", 2};  // U+FFFD, little-endian

WideString DecodeWith(const char* charset, std::string_view bytes) {
  iconv_t handle = Converter("UTF-16LE", charset);
  if (!handle) handle = Converter("UTF-16LE", kSystemCodePage);
  return FromBytes(Convert(handle, bytes, kWideReplacement, 1));
}

// Unpaired surrogates are not valid UTF-16 for iconv; each one is skipped as a whole unit.
std::string EncodeWide(const char* charset, const WideString& text, std::string_view replacement) {
  return Convert(Converter(charset, "UTF-16LE"), AsBytes(text), replacement, sizeof(char16_t));
}

}  // namespace

WideString AnsiToWide(const AnsiString& text) { return DecodeWith(kSystemCodePage, text.bytes()); }

AnsiString WideToAnsi(const WideString& text) { return AnsiString(EncodeWide(kSystemCodePage, text, "?")); }

std::string WideToUtf8(const WideString& text) { return EncodeWide("UTF-8", text, "\xEF\xBF\xBD"); }

WideString Utf8ToWide(std::string_view text) { return DecodeWith("UTF-8", text); }

std::string AnsiToUtf8(const AnsiString& text) { return WideToUtf8(AnsiToWide(text)); }

AnsiString Utf8ToAnsi(std::string_view text) { return WideToAnsi(Utf8ToWide(text)); }

WideString DecodeCharset(std::string_view bytes, const std::string& charset) {
  std::string name = charset;
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  // Pages that say GB2312 or GBK are written in the wider code page in practice.
  if (name.empty() || name == "GB2312" || name == "GBK" || name == "X-GBK") name = kSystemCodePage;
  return DecodeWith(name.c_str(), bytes);
}

AnsiString Trim(const AnsiString& text) {
  const std::string& bytes = text.bytes();
  std::size_t first = 0;
  std::size_t last = bytes.size();
  while (first < last && static_cast<unsigned char>(bytes[first]) <= 0x20) ++first;
  while (last > first && static_cast<unsigned char>(bytes[last - 1]) <= 0x20) --last;
  return AnsiString(bytes.substr(first, last - first));
}

AnsiString AnsiUpperCase(const AnsiString& text) {
  std::string bytes = text.bytes();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x81 && byte <= 0xFE && i + 1 < bytes.size()) {
      ++i;  // a lead byte: its trail byte belongs to the same character
    } else if (byte >= 'a' && byte <= 'z') {
      bytes[i] = static_cast<char>(byte - 'a' + 'A');
    }
  }
  return AnsiString(std::move(bytes));
}

bool SameText(const AnsiString& left, const AnsiString& right) {
  return left.Length() == right.Length() && AnsiUpperCase(left) == AnsiUpperCase(right);
}

int StrToInt(const AnsiString& text) {
  const std::string& s = text.bytes();
  auto fail = [&]() -> int { throw EConvertError(FormatMessage("'%s' is not a valid integer value", text)); };
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == s.size()) return fail();
  long long value = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return fail();
    value = value * base + digit;
    if (value > static_cast<long long>(INT_MAX) + 1) return fail();
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return fail();
  return static_cast<int>(value);
}

AnsiString IntToStr(long long value) { return AnsiString(std::to_string(value)); }
