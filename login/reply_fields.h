#pragma once
// Taking the service's replies apart. Every reply is a code-page-936 text whose fields are
// separated by the byte 124 ("|"); splitting works on bytes, so a double-byte character
// whose trail byte is 124 is cut there too, exactly as the service expects.

#include <optional>

#include "platform/text.h"

// A text cut at its first separator; with no separator, before is empty and after is the
// whole text.
struct SplitFields {
  bool separated = false;
  AnsiString before;
  AnsiString after;
};

[[nodiscard]] SplitFields SplitAtFirstSeparator(const AnsiString& text);

// The parameters reply: version "|" update address "|" poll interval in seconds. With only
// one separator the address is empty and the interval is everything after it; further
// separators stay in the interval.
struct ParametersReply {
  AnsiString version;
  AnsiString updateAddress;
  AnsiString seconds;
};

// Nothing when the text holds no separator: such a page is not a parameters reply.
[[nodiscard]] std::optional<ParametersReply> ParseParametersReply(const AnsiString& text);

// The login reply: result "|" detail. Without a separator the result is empty and the
// detail is the whole text.
struct LoginReply {
  bool separated = false;
  AnsiString result;
  AnsiString detail;
};

[[nodiscard]] LoginReply ParseLoginReply(const AnsiString& text);

// The service reports success as "TRUE" in any letter case; with blanks around it the
// result is no success.
[[nodiscard]] bool IsLoginSuccess(const LoginReply& reply);
