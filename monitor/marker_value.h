#pragma once
// What a value read from a marker field of the web client page means.

#include "platform/text.h"

// A field raises its signal with any value but the resting "0". An absent field reads as
// empty text; pages without the field (an error page, a page of another kind) must neither
// close the program nor announce messages, so the empty text is no signal either.
[[nodiscard]] inline bool MarkerRaised(const AnsiString& value) { return !value.IsEmpty() && value != "0"; }
