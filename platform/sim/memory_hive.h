#pragma once
// The simulated desktop's registry, kept in memory. The script sets values directly (as an
// administrator would) and can make the hive refuse to open keys or to store values.

#include "platform/registry_hive.h"

class MemoryHive final : public RegistryHive {
 public:
  // While denied, every open is refused, as for a user without rights on the key.
  void SetDenied(bool denied) { denied_ = denied; }
  // While failing, every write through RegistryHive is refused and stores nothing.
  void FailWrites(bool fail) { fail_writes_ = fail; }

  // The script's own hand on the machine: creates the key when missing and ignores the
  // two switches above.
  void SetString(HKEY root, const AnsiString& path, const AnsiString& name, const AnsiString& value);
  void SetDword(HKEY root, const AnsiString& path, const AnsiString& name, int value);
  void Clear(HKEY root, const AnsiString& path) { table_.Remove(root, path); }
  [[nodiscard]] bool HasValue(HKEY root, const AnsiString& path, const AnsiString& name) const {
    return table_.Read(root, path, name).has_value();
  }
  // The program keeps its account under HKEY_LOCAL_MACHINE, so scripts and tests name
  // only the path there.
  void SetString(const AnsiString& path, const AnsiString& name, const AnsiString& value) {
    SetString(HKEY_LOCAL_MACHINE, path, name, value);
  }
  [[nodiscard]] bool HasValue(const AnsiString& path, const AnsiString& name) const {
    return HasValue(HKEY_LOCAL_MACHINE, path, name);
  }

  // RegistryHive
  bool OpenKey(HKEY root, const AnsiString& path, bool can_create) override;
  std::optional<RegValue> ReadValue(HKEY root, const AnsiString& path, const AnsiString& name) override {
    return table_.Read(root, path, name);
  }
  bool WriteValue(HKEY root, const AnsiString& path, const AnsiString& name, const RegValue& value) override;
  std::optional<std::vector<NamedValue>> Values(HKEY root, const AnsiString& path) override {
    return table_.Values(root, path);
  }
  bool DeleteKey(HKEY root, const AnsiString& path) override { return table_.Remove(root, path); }

 private:
  void Put(HKEY root, const AnsiString& path, const AnsiString& name, const RegValue& value);

  HiveTable table_;
  bool denied_ = false;
  bool fail_writes_ = false;
};
