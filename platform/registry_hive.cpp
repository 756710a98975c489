#include "platform/registry_hive.h"

#include <algorithm>

namespace {

// The path as the hive stores it: no backslash at either end.
AnsiString StoredPath(const AnsiString& path) {
  const std::string& bytes = path.bytes();
  const std::size_t first = bytes.find_first_not_of('\\');
  if (first == std::string::npos) return AnsiString();
  const std::size_t last = bytes.find_last_not_of('\\');
  return AnsiString(bytes.substr(first, last - first + 1));
}

// The value of that name among values, or their end.
template <class Values>
auto FindNamed(Values& values, const AnsiString& name) {
  return std::find_if(values.begin(), values.end(), [&](const NamedValue& v) { return SameText(v.name, name); });
}

}  // namespace

HiveTable::Id HiveTable::IdOf(HKEY root, const AnsiString& path) {
  return {root, AnsiUpperCase(StoredPath(path)).bytes()};
}

bool HiveTable::HasKey(HKEY root, const AnsiString& path) const {
  const Id id = IdOf(root, path);
  if (keys_.contains(id)) return true;
  const Id below{root, id.second + "\\"};
  const auto next = keys_.lower_bound(below);
  return next != keys_.end() && next->first.first == root && next->first.second.starts_with(below.second);
}

void HiveTable::AddKey(HKEY root, const AnsiString& path) {
  keys_.try_emplace(IdOf(root, path), Key{root, StoredPath(path), {}});
}

std::optional<RegValue> HiveTable::Read(HKEY root, const AnsiString& path, const AnsiString& name) const {
  const auto key = keys_.find(IdOf(root, path));
  if (key == keys_.end()) return std::nullopt;
  const auto& values = key->second.values;
  const auto found = FindNamed(values, name);
  if (found == values.end()) return std::nullopt;
  return found->value;
}

bool HiveTable::Set(HKEY root, const AnsiString& path, const AnsiString& name, const RegValue& value) {
  const Id id = IdOf(root, path);
  // A key that exists only because of a key beneath it gets its own entry now.
  if (!keys_.contains(id)) {
    if (!HasKey(root, path)) return false;
    AddKey(root, path);
  }
  auto& values = keys_.at(id).values;
  const auto found = FindNamed(values, name);
  if (found == values.end()) {
    values.push_back({name, value});
  } else {
    found->value = value;
  }
  return true;
}

std::optional<std::vector<NamedValue>> HiveTable::Values(HKEY root, const AnsiString& path) const {
  const auto key = keys_.find(IdOf(root, path));
  if (key != keys_.end()) return key->second.values;
  if (HasKey(root, path)) return std::vector<NamedValue>{};
  return std::nullopt;
}

bool HiveTable::Remove(HKEY root, const AnsiString& path) {
  const Id id = IdOf(root, path);
  const std::string below = id.second + "\\";
  const auto before = keys_.size();
  std::erase_if(keys_, [&](const auto& entry) {
    return entry.first.first == root && (entry.first.second == id.second || entry.first.second.starts_with(below));
  });
  return keys_.size() != before;
}

std::vector<const HiveTable::Key*> HiveTable::Keys() const {
  std::vector<const Key*> keys;
  keys.reserve(keys_.size());
  for (const auto& entry : keys_) keys.push_back(&entry.second);
  return keys;
}
