#include "platform/sim/json.h"

#include <cstdio>

namespace {

// Length of the valid UTF-8 sequence at text[i], or 0.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  else return 0;
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c == '\n') {
      out += "\\n";
      ++i;
    } else if (c == '\r') {
      out += "\\r";
      ++i;
    } else if (c == '\t') {
      out += "\\t";
      ++i;
    } else if (c < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
      ++i;
    } else {
      const std::size_t length = Utf8Length(utf8, i);
      if (length == 0) {
        out += "\xEF\xBF\xBD";
        ++i;
      } else {
        out.append(utf8.substr(i, length));
        i += length;
      }
    }
  }
  out += '"';
  return out;
}

void JsonObject::Key(std::string_view key) {
  if (!body_.empty()) body_ += ',';
  body_ += JsonString(key);
  body_ += ':';
}

JsonObject& JsonObject::Add(std::string_view key, std::string_view utf8) {
  Key(key);
  body_ += JsonString(utf8);
  return *this;
}

JsonObject& JsonObject::Add(std::string_view key, std::int64_t number) {
  Key(key);
  body_ += std::to_string(number);
  return *this;
}

JsonObject& JsonObject::Add(std::string_view key, bool flag) {
  Key(key);
  body_ += flag ? "true" : "false";
  return *this;
}

JsonObject& JsonObject::AddNull(std::string_view key) {
  Key(key);
  body_ += "null";
  return *this;
}

JsonObject& JsonObject::AddRaw(std::string_view key, std::string_view json) {
  Key(key);
  body_ += json;
  return *this;
}
