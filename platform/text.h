#pragma once
// Texts of the program: 8-bit code-page-936 byte strings (AnsiString) and the wide
// UTF-16 texts of the browser side (WideString), with the conversions between them.

#include <compare>
#include <string>
#include <string_view>

class AnsiString final {
 public:
  AnsiString() = default;
  AnsiString(const char* bytes) : bytes_(bytes ? bytes : "") {}
  AnsiString(const char* bytes, std::size_t count) : bytes_(bytes, count) {}
  AnsiString(std::string bytes) : bytes_(std::move(bytes)) {}

  [[nodiscard]] int Length() const { return static_cast<int>(bytes_.size()); }
  [[nodiscard]] bool IsEmpty() const { return bytes_.empty(); }
  [[nodiscard]] const char* c_str() const { return bytes_.c_str(); }
  [[nodiscard]] const std::string& bytes() const { return bytes_; }

  // 1-based position of the first occurrence of sub, 0 when absent.
  [[nodiscard]] int Pos(const AnsiString& sub) const;
  // count bytes from the 1-based index; empty when index is past the end or count <= 0,
  // and cut at the end of the text otherwise.
  [[nodiscard]] AnsiString SubString(int index, int count) const;
  // 1-based byte access.
  [[nodiscard]] char operator[](int index) const { return bytes_.at(static_cast<std::size_t>(index - 1)); }

  AnsiString& operator+=(const AnsiString& other) {
    bytes_ += other.bytes_;
    return *this;
  }
  friend AnsiString operator+(AnsiString left, const AnsiString& right) { return left += right; }
  friend AnsiString operator+(const char* left, const AnsiString& right) { return AnsiString(left) += right; }
  friend bool operator==(const AnsiString&, const AnsiString&) = default;
  friend std::strong_ordering operator<=>(const AnsiString&, const AnsiString&) = default;
  friend bool operator==(const AnsiString& left, const char* right) { return left.bytes_ == right; }

 private:
  std::string bytes_;
};

using WideString = std::u16string;

// Conversions with the system code page (936). Characters that the code page cannot hold
// become "?" on the way to 8 bits; invalid byte sequences become U+FFFD on the way to 16 bits.
[[nodiscard]] WideString AnsiToWide(const AnsiString& text);
[[nodiscard]] AnsiString WideToAnsi(const WideString& text);

// Edges of the program: scripts, transcripts and the HTML engine speak UTF-8.
[[nodiscard]] std::string WideToUtf8(const WideString& text);
[[nodiscard]] WideString Utf8ToWide(std::string_view text);
[[nodiscard]] std::string AnsiToUtf8(const AnsiString& text);
[[nodiscard]] AnsiString Utf8ToAnsi(std::string_view text);

// Decodes bytes in a named character set (as a page declares it) to wide text; an unknown
// charset name falls back to code page 936.
[[nodiscard]] WideString DecodeCharset(std::string_view bytes, const std::string& charset);

// Removes every leading and trailing byte with a value of 0x20 or below.
[[nodiscard]] AnsiString Trim(const AnsiString& text);

// Upper-cases ASCII letters and leaves both bytes of every double-byte character alone,
// even when a trail byte happens to look like a letter.
[[nodiscard]] AnsiString AnsiUpperCase(const AnsiString& text);

// Whether two names are the same without regard to the case of ASCII letters, as the
// system compares key, value, section and entry names.
[[nodiscard]] bool SameText(const AnsiString& left, const AnsiString& right);

// Optional leading blanks, an optional sign, then decimal digits, or hexadecimal digits
// after "$" or "0x". Anything else, or a value outside 32 bits, raises EConvertError.
[[nodiscard]] int StrToInt(const AnsiString& text);
[[nodiscard]] AnsiString IntToStr(long long value);
