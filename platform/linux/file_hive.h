#pragma once
// The registry of real runs: the whole hive in one small text file, read once when the
// hive is made and replaced atomically by every change, so that a crash never leaves half
// a store and a change that cannot be written changes nothing.
//
// One line per key ("root<TAB>path") and one per value
// ("root<TAB>path<TAB>name<TAB>type<TAB>data"): the root in 8 hexadecimal digits, path and
// name with control bytes and "%" written as %XX, the type as REG_SZ, REG_EXPAND_SZ,
// REG_DWORD, REG_BINARY or REG_NONE, and the data as hexadecimal bytes, or in decimal for a
// REG_DWORD. A line that does not fit this shape is skipped when the file is read.

#include <string>

#include "platform/registry_hive.h"

class FileHive final : public RegistryHive {
 public:
  // path is a file-system path; a missing file is an empty hive.
  explicit FileHive(std::string path);

  // Creating a key is a change like any other, so it is refused when the file cannot be
  // written; a key that already exists opens regardless.
  bool OpenKey(HKEY root, const AnsiString& path, bool can_create) override;
  std::optional<RegValue> ReadValue(HKEY root, const AnsiString& path, const AnsiString& name) override;
  bool WriteValue(HKEY root, const AnsiString& path, const AnsiString& name, const RegValue& value) override;
  std::optional<std::vector<NamedValue>> Values(HKEY root, const AnsiString& path) override {
    return table_.Values(root, path);
  }
  bool DeleteKey(HKEY root, const AnsiString& path) override;

 private:
  // Writes the changed hive to the file and adopts it only once the file holds it.
  bool Commit(HiveTable changed);

  std::string path_;
  HiveTable table_;
  // False when the file exists but could not be read: replacing it would lose what it holds.
  bool writable_ = true;
};
