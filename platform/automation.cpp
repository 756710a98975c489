#include "platform/automation.h"

#include <string>

#include "platform/exceptions.h"

namespace {

[[noreturn]] void ThrowTypeMismatch() { throw EOleException("Type mismatch"); }

}  // namespace

IDispatch* Variant::AsDispatch() const {
  const auto* object = std::get_if<IDispatch*>(&value_);
  return object ? *object : nullptr;
}

int Variant::ToInt() const {
  if (const auto* number = std::get_if<int>(&value_)) return *number;
  if (const auto* flag = std::get_if<bool>(&value_)) return *flag ? -1 : 0;
  if (const auto* text = std::get_if<WideString>(&value_)) {
    try {
      return StrToInt(WideToAnsi(*text));
    } catch (const EConvertError&) {
      ThrowTypeMismatch();
    }
  }
  ThrowTypeMismatch();
}

bool Variant::ToBool() const {
  if (const auto* flag = std::get_if<bool>(&value_)) return *flag;
  return ToInt() != 0;
}

WideString Variant::ToWide() const {
  if (const auto* text = std::get_if<WideString>(&value_)) return *text;
  if (const auto* number = std::get_if<int>(&value_)) return Utf8ToWide(std::to_string(*number));
  if (const auto* flag = std::get_if<bool>(&value_)) return *flag ? u"True" : u"False";
  if (IsEmpty()) return {};
  ThrowTypeMismatch();
}

IDispatch& Variant::Object(std::string_view name) const {
  IDispatch* object = AsDispatch();
  if (!object) throw EOleException(AnsiString("Variant does not reference an automation object: ") + AnsiString(std::string(name)));
  return *object;
}

Variant Variant::OlePropertyGet(std::string_view name) const { return Object(name).GetProperty(name); }

void Variant::OlePropertySet(std::string_view name, const Variant& value) const { Object(name).PutProperty(name, value); }

Variant Variant::OleFunction(std::string_view name, const Variant& argument) const {
  return Object(name).CallMethod(name, {argument});
}

void ThrowUnknownMember(std::string_view name) {
  throw EOleException(AnsiString("Unknown name: ") + AnsiString(std::string(name)));
}

bool SameMemberName(std::string_view left, std::string_view right) {
  if (left.size() != right.size()) return false;
  // Member names are ASCII; folding them here rather than through the C library's
  // locale-aware tolower keeps a page walk, which matches names for every element, cheap.
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (fold(left[i]) != fold(right[i])) return false;
  }
  return true;
}
