#include "platform/sim/memory_hive.h"

void MemoryHive::SetString(HKEY root, const AnsiString& path, const AnsiString& name, const AnsiString& value) {
  Put(root, path, name, RegValue{TRegDataType::rdString, value.bytes()});
}

void MemoryHive::SetDword(HKEY root, const AnsiString& path, const AnsiString& name, int value) {
  Put(root, path, name, RegValue{TRegDataType::rdInteger, {}, value});
}

void MemoryHive::Put(HKEY root, const AnsiString& path, const AnsiString& name, const RegValue& value) {
  table_.AddKey(root, path);
  table_.Set(root, path, name, value);
}

bool MemoryHive::OpenKey(HKEY root, const AnsiString& path, bool can_create) {
  if (denied_) return false;
  if (table_.HasKey(root, path)) return true;
  if (!can_create) return false;
  table_.AddKey(root, path);
  return true;
}

bool MemoryHive::WriteValue(HKEY root, const AnsiString& path, const AnsiString& name, const RegValue& value) {
  return !fail_writes_ && table_.Set(root, path, name, value);
}
