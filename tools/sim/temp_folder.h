#pragma once
// A fresh folder of its own in the system's temporary directory, removed with everything
// in it when the object goes.

#include <string>

class TempFolder final {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, ending with a path separator.
  [[nodiscard]] const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
