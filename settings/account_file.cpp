#include "settings/account_file.h"

std::optional<AnsiString> AccountFilePath(const AnsiString& executableDir) {
  if (executableDir.IsEmpty()) return std::nullopt;
  return executableDir + "config.ini";
}
