#pragma once
// What a reply is, as its server or the page itself declares it: a page or not, and the
// character set it is written in.

#include <string>
#include <string_view>

#include "platform/text.h"

// Whether a reply of this Content-Type is a page to lay out: HTML, text, or a reply whose
// server does not say. Anything else (an image, JSON, a download) is for a viewer.
[[nodiscard]] bool IsPageType(std::string_view content_type);

// The charset parameter of the Content-Type header first, else the one a meta tag within
// the first 1024 bytes declares (<meta charset=...> or the http-equiv Content-Type form);
// empty when neither says.
[[nodiscard]] std::string DeclaredCharset(std::string_view bytes, const std::string& content_type);

// The page as wide text. A byte-order mark decides before any declaration, as it does in
// browsers; a page that declares nothing is read in code page 936.
[[nodiscard]] WideString DecodePage(std::string_view bytes, const std::string& content_type);
