#pragma once
// Unpredictable identifiers for nonces and sessions.

#include <cstddef>
#include <string>

// digits lowercase hexadecimal digits drawn from the system's random source.
[[nodiscard]] std::string RandomHex(std::size_t digits);
