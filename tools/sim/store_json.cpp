#include "tools/sim/store_json.h"

#include <fstream>
#include <optional>
#include <sstream>

namespace {

std::string ValueJson(const RegValue& value) {
  switch (value.type) {
    case TRegDataType::rdString:
    case TRegDataType::rdExpandString:
      return JsonString(AnsiToUtf8(value.bytes));
    case TRegDataType::rdInteger:
      return std::to_string(value.number);
    case TRegDataType::rdBinary:
    case TRegDataType::rdUnknown:
      break;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char byte : value.bytes) hex += {kHex[byte >> 4], kHex[byte & 15]};
  return JsonString(hex);
}

std::optional<std::string> FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

JsonObject StoreJson(RegistryHive& hive, const std::string& exe_dir) {
  JsonObject store;
  store.Add("event", "store");
  if (const auto values = hive.Values(HKEY_LOCAL_MACHINE, kAccountKey)) {
    JsonObject registry;
    for (const NamedValue& entry : *values) registry.AddRaw(AnsiToUtf8(entry.name), ValueJson(entry.value));
    store.Add("registry", registry);
  } else {
    store.AddNull("registry");
  }
  if (const auto ini = FileText(exe_dir + kSettingsFile)) {
    store.Add("ini", AnsiToUtf8(*ini));
  } else {
    store.AddNull("ini");
  }
  return store;
}
