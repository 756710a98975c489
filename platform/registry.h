#pragma once
// The registry class of our class library: opens one key at a time under RootKey and reads
// and writes its string values, on whichever hive the desktop backend hands down.

#include <optional>

#include "platform/registry_hive.h"
#include "platform/text.h"

class TRegistry final {
 public:
  explicit TRegistry(RegistryHive& hive) : hive_(hive) {}
  ~TRegistry() { CloseKey(); }
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey = HKEY_CURRENT_USER;

  // A key starting with a backslash is taken from RootKey, any other from the open key
  // (or from RootKey when none is open). Closes the key that was open before.
  bool OpenKey(const AnsiString& key, bool CanCreate);
  [[nodiscard]] bool ValueExists(const AnsiString& name);
  // Empty when the value is missing; ERegistryException when it holds no text.
  AnsiString ReadString(const AnsiString& name);
  // ERegistryException when the hive does not store the value.
  void WriteString(const AnsiString& name, const AnsiString& value);
  void CloseKey() { open_.reset(); }

 private:
  struct OpenKeyRef {
    HKEY root = HKEY_CURRENT_USER;
    AnsiString path;
  };

  RegistryHive& hive_;
  std::optional<OpenKeyRef> open_;
};
