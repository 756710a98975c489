#pragma once
// Where the service lives: every endpoint sits under one base address on one host, which
// the build fixes.

#include "platform/text.h"

// The service's host name.
[[nodiscard]] AnsiString ServiceHost();
// "http://" + host + "/ringpost_v2/index.php/Login/".
[[nodiscard]] AnsiString ServiceBase();

// A value made safe for a query string: the unreserved bytes A-Z a-z 0-9 - . _ ~ stay,
// every other byte becomes "%" and two upper-case hexadecimal digits.
[[nodiscard]] AnsiString PercentEncode(const AnsiString& value);
