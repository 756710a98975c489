#include "platform/registry.h"

#include "platform/exceptions.h"

bool TRegistry::OpenKey(const AnsiString& key, bool CanCreate) {
  const bool relative = open_ && !key.bytes().starts_with('\\');
  const OpenKeyRef target = relative ? OpenKeyRef{open_->root, open_->path + "\\" + key} : OpenKeyRef{RootKey, key};
  CloseKey();
  if (!hive_.OpenKey(target.root, target.path, CanCreate)) return false;
  open_ = target;
  return true;
}

bool TRegistry::ValueExists(const AnsiString& name) {
  return open_ && hive_.ValueExists(open_->root, open_->path, name);
}

AnsiString TRegistry::ReadString(const AnsiString& name) {
  if (!open_) return AnsiString();
  const std::optional<RegValue> value = hive_.ReadValue(open_->root, open_->path, name);
  if (!value) return AnsiString();
  if (value->type != TRegDataType::rdString && value->type != TRegDataType::rdExpandString) {
    throw ERegistryException(FormatMessage("Invalid data type for '%s'", name));
  }
  return AnsiString(value->bytes);
}

void TRegistry::WriteString(const AnsiString& name, const AnsiString& value) {
  if (!open_ || !hive_.WriteValue(open_->root, open_->path, name, RegValue{TRegDataType::rdString, value.bytes()})) {
    throw ERegistryException(FormatMessage("Failed to set data for '%s'", name));
  }
}
