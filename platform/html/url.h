#pragma once
// Resolving the addresses a page refers to against the page's own address.

#include <string>

// An absolute address stays; "//host/x", "/path", "?query" and "relative/path" are taken
// against base.
[[nodiscard]] std::string ResolveUrl(const std::string& base, const std::string& reference);
