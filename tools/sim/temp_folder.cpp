#include "tools/sim/temp_folder.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vor-sim-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) {
    throw std::system_error(errno, std::generic_category(), "cannot create a folder for the executable");
  }
  path_ = std::string(buffer.data()) + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}
