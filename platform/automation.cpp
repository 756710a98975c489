#include "platform/automation.h"

#include <string>

#include "platform/exceptions.h"

namespace {

[[noreturn]] void ThrowTypeMismatch() { throw EOleException("Type mismatch"); }

}  // namespace

int Variant::ConvertToInt() const {
  if (const auto* flag = std::get_if<bool>(&value_)) return *flag ? -1 : 0;
  if (const WideString* text = Text()) {
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
  if (const WideString* text = Text()) return *text;
  if (const auto* number = std::get_if<int>(&value_)) return Utf8ToWide(std::to_string(*number));
  if (const auto* flag = std::get_if<bool>(&value_)) return *flag ? u"True" : u"False";
  if (IsEmpty()) return {};
  ThrowTypeMismatch();
}

std::u16string_view Variant::EmptyView() const {
  if (IsEmpty()) return {};
  ThrowTypeMismatch();
}

void Variant::ThrowNoObject(std::string_view name) {
  throw EOleException(AnsiString("Variant does not reference an automation object: ") + AnsiString(std::string(name)));
}

void ThrowUnknownMember(std::string_view name) {
  throw EOleException(AnsiString("Unknown name: ") + AnsiString(std::string(name)));
}
