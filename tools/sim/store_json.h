#pragma once
// What the machine keeps of the program's account, as the `store` command prints it.

#include <string>

#include "platform/registry_hive.h"
#include "platform/sim/json.h"

// The registry key of the saved account, under HKEY_LOCAL_MACHINE.
inline constexpr const char* kAccountKey = "\\Software\\xiangling";
// The settings file in the executable's folder.
inline constexpr const char* kSettingsFile = "config.ini";

// {"event":"store","registry":{NAME: VALUE...} or null,"ini":TEXT or null}
[[nodiscard]] JsonObject StoreJson(RegistryHive& hive, const std::string& exe_dir);
