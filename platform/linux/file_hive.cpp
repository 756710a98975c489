#include "platform/linux/file_hive.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "platform/whole_file.h"

namespace {

constexpr std::array<std::pair<TRegDataType, std::string_view>, 5> kTypeNames{{
    {TRegDataType::rdUnknown, "REG_NONE"},
    {TRegDataType::rdString, "REG_SZ"},
    {TRegDataType::rdExpandString, "REG_EXPAND_SZ"},
    {TRegDataType::rdInteger, "REG_DWORD"},
    {TRegDataType::rdBinary, "REG_BINARY"},
}};

constexpr std::string_view kHexDigits = "0123456789abcdef";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Hex(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0xF];
  }
  return text;
}

std::optional<std::string> Unhex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = HexDigit(text[i]);
    const int low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

// Keeps every field on its line and free of the field separator.
std::string Escape(const AnsiString& text) {
  std::string escaped;
  for (const char c : text.bytes()) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '%') {
      escaped += '%';
      escaped += Hex(std::string_view(&c, 1));
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::optional<AnsiString> Unescape(std::string_view text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      bytes += text[i];
      continue;
    }
    if (text.size() - i < 3) return std::nullopt;
    const std::optional<std::string> byte = Unhex(text.substr(i + 1, 2));
    if (!byte) return std::nullopt;
    bytes += *byte;
    i += 2;
  }
  return AnsiString(std::move(bytes));
}

std::string RootText(HKEY root) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(root));
  return text;
}

std::optional<HKEY> ParseRoot(std::string_view text) {
  HKEY root = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), root, 16);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return root;
}

std::string DataText(const RegValue& value) {
  return value.type == TRegDataType::rdInteger ? std::to_string(value.number) : Hex(value.bytes);
}

std::optional<RegValue> ParseValue(std::string_view type_name, std::string_view data) {
  for (const auto& [type, name] : kTypeNames) {
    if (name != type_name) continue;
    if (type != TRegDataType::rdInteger) {
      std::optional<std::string> bytes = Unhex(data);
      if (!bytes) return std::nullopt;
      return RegValue{type, std::move(*bytes)};
    }
    int number = 0;
    const auto [end, error] = std::from_chars(data.data(), data.data() + data.size(), number);
    if (data.empty() || error != std::errc() || end != data.data() + data.size()) return std::nullopt;
    return RegValue{type, {}, number};
  }
  return std::nullopt;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

// Takes one line into the table when it has the shape of a key or a value line.
void ReadLine(std::string_view line, HiveTable& table) {
  if (line.ends_with('\r')) line.remove_suffix(1);  // a file that went through an editor on Windows
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.size() != 2 && fields.size() != 5) return;
  const std::optional<HKEY> root = ParseRoot(fields[0]);
  const std::optional<AnsiString> path = Unescape(fields[1]);
  if (!root || !path) return;
  if (fields.size() == 2) {
    table.AddKey(*root, *path);
    return;
  }
  const std::optional<AnsiString> name = Unescape(fields[2]);
  const std::optional<RegValue> value = ParseValue(fields[3], fields[4]);
  if (!name || !value) return;
  table.AddKey(*root, *path);
  table.Set(*root, *path, *name, *value);
}

std::string FileText(const HiveTable& table) {
  std::string text;
  for (const HiveTable::Key* key : table.Keys()) {
    const std::string prefix = RootText(key->root) + "\t" + Escape(key->path);
    text += prefix + "\n";
    for (const NamedValue& named : key->values) {
      const auto type = std::find_if(kTypeNames.begin(), kTypeNames.end(),
                                     [&](const auto& entry) { return entry.first == named.value.type; });
      text += prefix + "\t" + Escape(named.name) + "\t" + std::string(type->second) + "\t" + DataText(named.value) + "\n";
    }
  }
  return text;
}

}  // namespace

FileHive::FileHive(std::string path) : path_(std::move(path)) {
  const std::optional<std::string> text = ReadWholeFile(path_);
  if (!text) {
    writable_ = false;
    return;
  }
  std::string_view rest = *text;
  while (!rest.empty()) {
    const std::size_t feed = rest.find('\n');
    ReadLine(rest.substr(0, feed), table_);
    if (feed == std::string_view::npos) break;
    rest.remove_prefix(feed + 1);
  }
}

bool FileHive::OpenKey(HKEY root, const AnsiString& path, bool can_create) {
  if (table_.HasKey(root, path)) return true;
  if (!can_create) return false;
  HiveTable changed = table_;
  changed.AddKey(root, path);
  return Commit(std::move(changed));
}

std::optional<RegValue> FileHive::ReadValue(HKEY root, const AnsiString& path, const AnsiString& name) {
  return table_.Read(root, path, name);
}

bool FileHive::WriteValue(HKEY root, const AnsiString& path, const AnsiString& name, const RegValue& value) {
  HiveTable changed = table_;
  return changed.Set(root, path, name, value) && Commit(std::move(changed));
}

bool FileHive::DeleteKey(HKEY root, const AnsiString& path) {
  HiveTable changed = table_;
  return changed.Remove(root, path) && Commit(std::move(changed));
}

bool FileHive::Commit(HiveTable changed) {
  if (!writable_ || !ReplaceWholeFile(path_, FileText(changed))) return false;
  table_ = std::move(changed);
  return true;
}
