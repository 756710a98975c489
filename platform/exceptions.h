#pragma once
// The platform's exception family. Handlers let these escape; the application's event
// dispatch reports them in the standard error box.

#include "platform/text.h"

class Exception {
 public:
  explicit Exception(AnsiString message) : message_(std::move(message)) {}
  virtual ~Exception() = default;
  [[nodiscard]] const AnsiString& Message() const { return message_; }

 private:
  AnsiString message_;
};

class EOutOfResources : public Exception {
  using Exception::Exception;
};

class EConvertError : public Exception {
  using Exception::Exception;
};

class ERegistryException : public Exception {
  using Exception::Exception;
};

class EIniFileException : public Exception {
  using Exception::Exception;
};

// A late-bound call on a browser object failed.
class EOleException : public Exception {
  using Exception::Exception;
};

// Fills "%s" in a message pattern, as the platform's resource strings are formatted.
[[nodiscard]] AnsiString FormatMessage(const AnsiString& pattern, const AnsiString& argument);
