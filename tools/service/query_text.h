#pragma once
// The query string of a request taken apart: "&" separates parameters, the first "="
// separates a key from its value, and "%XX" stands for the byte XX. A "+" is a plus sign:
// the client encodes blanks as "%20".

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using QueryParams = std::vector<std::pair<std::string, std::string>>;

// The parameters in their order, or nothing when a "%" is not followed by two hexadecimal
// digits. Empty pieces between separators are skipped.
[[nodiscard]] std::optional<QueryParams> DecodeQuery(std::string_view query);

// Where a key occurs once, its value; nothing when it is absent or given more than once.
[[nodiscard]] std::optional<std::string> SingleValue(const QueryParams& params, std::string_view key);
[[nodiscard]] bool Repeated(const QueryParams& params, std::string_view key);
