#pragma once
// A small writer for the one-line JSON objects of the transcript.

#include <cstdint>
#include <string>
#include <string_view>

class JsonObject final {
 public:
  JsonObject& Add(std::string_view key, std::string_view utf8);
  JsonObject& Add(std::string_view key, const char* utf8) { return Add(key, std::string_view(utf8)); }
  JsonObject& Add(std::string_view key, std::int64_t number);
  JsonObject& Add(std::string_view key, int number) { return Add(key, static_cast<std::int64_t>(number)); }
  JsonObject& Add(std::string_view key, unsigned number) { return Add(key, static_cast<std::int64_t>(number)); }
  JsonObject& Add(std::string_view key, bool flag);
  JsonObject& AddNull(std::string_view key);
  JsonObject& AddRaw(std::string_view key, std::string_view json);
  JsonObject& Add(std::string_view key, const JsonObject& object) { return AddRaw(key, object.str()); }
  [[nodiscard]] std::string str() const { return "{" + body_ + "}"; }

 private:
  void Key(std::string_view key);
  std::string body_;
};

// A JSON string literal, quotes included. Bytes that are not valid UTF-8 are written as
// U+FFFD rather than breaking the line.
[[nodiscard]] std::string JsonString(std::string_view utf8);
