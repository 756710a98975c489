#pragma once
// Where the settings file lives: "config.ini" in the folder of the running executable.

#include <optional>

#include "platform/text.h"

// The file's path, or nothing when the executable's folder is unknown (an empty folder
// text). A bare "config.ini" would be taken from whatever the working folder happens to
// be, which is not where the account belongs.
[[nodiscard]] std::optional<AnsiString> AccountFilePath(const AnsiString& executableDir);
