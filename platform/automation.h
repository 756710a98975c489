#pragma once
// Late binding on browser objects: dispatch objects answer property reads, writes and
// method calls by name, and Variant carries the values between them.

#include <string_view>
#include <variant>
#include <vector>

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

  [[nodiscard]] bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  [[nodiscard]] IDispatch* AsDispatch() const;  // null unless the value is an object
  // Conversions raise EOleException when the value cannot be taken as asked.
  [[nodiscard]] int ToInt() const;
  [[nodiscard]] bool ToBool() const;
  [[nodiscard]] WideString ToWide() const;
  [[nodiscard]] AnsiString ToAnsi() const { return WideToAnsi(ToWide()); }

  // Calls on the object this value holds; raise EOleException when it holds none or the
  // object refuses the name.
  [[nodiscard]] Variant OlePropertyGet(std::string_view name) const;
  void OlePropertySet(std::string_view name, const Variant& value) const;
  [[nodiscard]] Variant OleFunction(std::string_view name, const Variant& argument) const;

 private:
  [[nodiscard]] IDispatch& Object(std::string_view name) const;
  std::variant<std::monostate, int, bool, WideString, IDispatch*> value_;
};

class IDispatch : public virtual IUnknown {
 public:
  // Names are matched without regard to letter case. An unknown name or a bad argument
  // raises EOleException.
  virtual Variant GetProperty(std::string_view name) = 0;
  virtual void PutProperty(std::string_view name, const Variant& value) = 0;
  virtual Variant CallMethod(std::string_view name, const std::vector<Variant>& arguments) = 0;
};

// Raises the automation error for a name that an object does not know.
[[noreturn]] void ThrowUnknownMember(std::string_view name);

// Case-insensitive comparison of ASCII member names.
[[nodiscard]] bool SameMemberName(std::string_view left, std::string_view right);

// The document interfaces that page-text reading uses.
class IHTMLElement : public virtual IUnknown {
 public:
  virtual WideString get_outerText() = 0;
};

class IHTMLDocument2 : public virtual IUnknown {
 public:
  virtual IHTMLElement* get_body() = 0;  // null for a document without a body
};
