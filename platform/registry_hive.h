#pragma once
// The registry as a backend keeps it: keys under two roots, each key holding typed values.
// The registry class (platform/registry.h) speaks to a hive only through RegistryHive; the
// simulated desktop keeps its hive in memory, a real run in a small file.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/text.h"

using HKEY = std::uint32_t;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct RegValue {
  TRegDataType type = TRegDataType::rdUnknown;
  std::string bytes;  // text (without a terminator) or binary data
  int number = 0;     // rdInteger only

  friend bool operator==(const RegValue&, const RegValue&) = default;
};

struct NamedValue {
  AnsiString name;  // spelt as when the value was first written
  RegValue value;

  friend bool operator==(const NamedValue&, const NamedValue&) = default;
};

// Key paths are taken from the root: "\Software\x" and "Software\x" name the same key.
// Key paths and value names match without regard to the case of ASCII letters.
class RegistryHive {
 public:
  virtual ~RegistryHive() = default;

  // Opens the key, creating it when can_create allows; false when the key is missing and
  // may not be created, or when the hive refuses (no rights, the store cannot be written).
  [[nodiscard]] virtual bool OpenKey(HKEY root, const AnsiString& path, bool can_create) = 0;
  [[nodiscard]] virtual std::optional<RegValue> ReadValue(HKEY root, const AnsiString& path,
                                                          const AnsiString& name) = 0;
  // False when the value could not be stored; what was stored before stays as it was.
  [[nodiscard]] virtual bool WriteValue(HKEY root, const AnsiString& path, const AnsiString& name,
                                        const RegValue& value) = 0;
  // Every value of the key in the order they were first written; none when the key is missing.
  [[nodiscard]] virtual std::optional<std::vector<NamedValue>> Values(HKEY root, const AnsiString& path) = 0;
  // Deletes the key with everything beneath it; false when nothing was deleted.
  virtual bool DeleteKey(HKEY root, const AnsiString& path) = 0;

  [[nodiscard]] bool ValueExists(HKEY root, const AnsiString& path, const AnsiString& name) {
    return ReadValue(root, path, name).has_value();
  }
};

// The keys and values that both backends hold in memory, with the matching rules above.
class HiveTable final {
 public:
  struct Key {
    HKEY root = HKEY_CURRENT_USER;
    AnsiString path;  // without the leading backslash, spelt as when the key was created
    std::vector<NamedValue> values;
  };

  // A key exists when it was created or when a key beneath it was.
  [[nodiscard]] bool HasKey(HKEY root, const AnsiString& path) const;
  void AddKey(HKEY root, const AnsiString& path);
  [[nodiscard]] std::optional<RegValue> Read(HKEY root, const AnsiString& path, const AnsiString& name) const;
  // Stores the value in an existing key; false when the key does not exist.
  bool Set(HKEY root, const AnsiString& path, const AnsiString& name, const RegValue& value);
  [[nodiscard]] std::optional<std::vector<NamedValue>> Values(HKEY root, const AnsiString& path) const;
  bool Remove(HKEY root, const AnsiString& path);

  // Keys in a stable order (by root, then by path without regard to case).
  [[nodiscard]] std::vector<const Key*> Keys() const;

 private:
  using Id = std::pair<HKEY, std::string>;
  [[nodiscard]] static Id IdOf(HKEY root, const AnsiString& path);

  std::map<Id, Key> keys_;
};
