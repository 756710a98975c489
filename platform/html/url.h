#pragma once
// Resolving the addresses a page refers to (frame sources) against the page's own address.

#include <string>

// An address with a scheme stays as it is; "//host/x", "/path", "?query", "#fragment" and
// "relative/path" are taken against base, with "." and ".." segments removed. Against a
// base that is not absolute itself, reference comes back unchanged.
[[nodiscard]] std::string ResolveUrl(const std::string& base, const std::string& reference);
