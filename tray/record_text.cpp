#include "tray/record_text.h"

#include <algorithm>

std::size_t WholeCharactersWithin(const AnsiString& text, std::size_t limit) {
  const std::string& bytes = text.bytes();
  std::size_t length = 0;
  while (length < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[length]);
    // A lead byte at the very end has no partner; it stands alone like any other byte.
    const std::size_t width = byte >= 0x81 && byte <= 0xFE && length + 1 < bytes.size() ? 2 : 1;
    if (length + width > limit) break;
    length += width;
  }
  return length;
}

void CopyToRecordField(std::span<char> field, const AnsiString& text) {
  if (field.empty()) return;
  const std::size_t length = WholeCharactersWithin(text, field.size() - 1);
  std::copy_n(text.c_str(), length, field.begin());
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(length), field.end(), '\0');
}
