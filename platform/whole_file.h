#pragma once
// Whole-file reads and replacements for the small stores of the program (the settings file
// and the registry's file). Paths are file-system paths (UTF-8).

#include <optional>
#include <string>
#include <string_view>

// The bytes of the file: empty when it does not exist, none when it exists but cannot be
// read (not a regular file, no rights, an I/O error).
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces the file so that it is always either the old one or the new one, even after a
// crash: the bytes go to a temporary file in the same folder, which is flushed to disk and
// then renamed over the old file. False, with the old file untouched, when any step fails.
[[nodiscard]] bool ReplaceWholeFile(const std::string& path, std::string_view bytes);
