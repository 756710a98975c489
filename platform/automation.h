#pragma once
// Late binding on browser objects: dispatch objects answer property reads, writes and
// method calls by name, and Variant carries the values between them.

#include <string_view>
#include <span>
#include <variant>

#include "platform/text.h"

// Interface queries are dynamic casts: an object "answers" a query for every interface it
// derives from.
class IUnknown {
 public:
  virtual ~IUnknown() = default;
};

template <class Interface>
[[nodiscard]] Interface* QueryInterface(IUnknown* object) {
  return dynamic_cast<Interface*>(object);
}

class IDispatch;

// A value passed by late binding: nothing, an integer, a boolean, a wide text or a
// dispatch object. Dispatch objects are borrowed, never owned: the browser keeps its
// document objects alive until the next page replaces them.
class Variant final {
 public:
  Variant() = default;
  Variant(int value) : value_(value) {}
  Variant(bool value) : value_(value) {}
  Variant(WideString value) : value_(std::move(value)) {}
  Variant(IDispatch* object) : value_(object) {}
  // A text that an object keeps unchanged for as long as the object lives (a tag name, an
  // id) is lent like the object itself rather than copied.
  [[nodiscard]] static Variant Lent(const WideString& text) { return Variant(&text); }

  [[nodiscard]] bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  [[nodiscard]] IDispatch* AsDispatch() const {  // null unless the value is an object
    const auto* object = std::get_if<IDispatch*>(&value_);
    return object ? *object : nullptr;
  }
  // Conversions raise EOleException when the value cannot be taken as asked.
  [[nodiscard]] int ToInt() const {
    if (const auto* number = std::get_if<int>(&value_)) return *number;
    return ConvertToInt();
  }
  [[nodiscard]] bool ToBool() const;
  [[nodiscard]] WideString ToWide() const;
  // The text this value holds, seen in place (valid while the value lives); empty for an
  // empty value. A page walk reads a text from every element, and a copy of each would cost
  // more than the rest of the walk. Raises EOleException for a value that is no text.
  [[nodiscard]] std::u16string_view WideView() const {
    if (const WideString* text = Text()) return *text;
    return EmptyView();
  }
  [[nodiscard]] AnsiString ToAnsi() const { return WideToAnsi(ToWide()); }

  // Calls on the object this value holds; raise EOleException when it holds none or the
  // object refuses the name.
  [[nodiscard]] Variant OlePropertyGet(std::string_view name) const;
  void OlePropertySet(std::string_view name, const Variant& value) const;
  [[nodiscard]] Variant OleFunction(std::string_view name, const Variant& argument) const;

 private:
  explicit Variant(const WideString* lent) : value_(lent) {}
  // The calls and the text reads are defined here so that a page walk, which makes them
  // for every element, pays for the object's own work and little else.
  [[nodiscard]] IDispatch& Object(std::string_view name) const {
    IDispatch* object = AsDispatch();
    if (!object) ThrowNoObject(name);
    return *object;
  }
  [[noreturn]] static void ThrowNoObject(std::string_view name);
  [[nodiscard]] int ConvertToInt() const;  // ToInt for a value that is no integer
  [[nodiscard]] const WideString* Text() const {  // null unless the value is a text
    if (const auto* text = std::get_if<WideString>(&value_)) return text;
    if (const auto* lent = std::get_if<const WideString*>(&value_)) return *lent;
    return nullptr;
  }
  [[nodiscard]] std::u16string_view EmptyView() const;  // raises unless the value is empty
  std::variant<std::monostate, int, bool, WideString, IDispatch*, const WideString*> value_;
};

class IDispatch : public virtual IUnknown {
 public:
  // Names are matched without regard to letter case. An unknown name or a bad argument
  // raises EOleException.
  virtual Variant GetProperty(std::string_view name) = 0;
  virtual void PutProperty(std::string_view name, const Variant& value) = 0;
  virtual Variant CallMethod(std::string_view name, std::span<const Variant> arguments) = 0;
};

inline Variant Variant::OlePropertyGet(std::string_view name) const { return Object(name).GetProperty(name); }

inline void Variant::OlePropertySet(std::string_view name, const Variant& value) const {
  Object(name).PutProperty(name, value);
}

inline Variant Variant::OleFunction(std::string_view name, const Variant& argument) const {
  return Object(name).CallMethod(name, std::span<const Variant>(&argument, 1));
}

// Raises the automation error for a name that an object does not know.
[[noreturn]] void ThrowUnknownMember(std::string_view name);

// Case-insensitive comparison of ASCII member names. They are folded here, and only where
// the letters differ, rather than through the C library's locale-aware tolower: a page
// walk matches names for every element.
[[nodiscard]] inline bool SameMemberName(std::string_view left, std::string_view right) {
  if (left.size() != right.size()) return false;
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (left[i] != right[i] && fold(left[i]) != fold(right[i])) return false;
  }
  return true;
}

// The document interfaces that page-text reading uses.
class IHTMLElement : public virtual IUnknown {
 public:
  virtual WideString get_outerText() = 0;
};

class IHTMLDocument2 : public virtual IUnknown {
 public:
  virtual IHTMLElement* get_body() = 0;  // null for a document without a body
};
