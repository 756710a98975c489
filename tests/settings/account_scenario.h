#pragma once
// The login window with a registry and an executable folder of its own, and helpers to
// read back what the account store holds.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>

#include "platform/registry_hive.h"
#include "tests/login/login_scenario.h"

class AccountScenario : public LoginScenario {
 protected:
  static constexpr const char* kKey = "\\Software\\xiangling";

  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vor-account-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    desktop.SetExecutableDir(AnsiString(folder_.string() + "/"));
  }
  void TearDown() override {
    LoginScenario::TearDown();
    std::filesystem::remove_all(folder_);
  }

  // The registry value as stored, or nothing when it is missing or not a string.
  [[nodiscard]] std::optional<std::string> Stored(const char* name) {
    const std::optional<RegValue> value = desktop.Hive().ReadValue(HKEY_LOCAL_MACHINE, kKey, name);
    if (!value || value->type != TRegDataType::rdString) return std::nullopt;
    return value->bytes;
  }
  void Store(const char* userId, const char* password, const char* autoRun) {
    desktop.Hive().SetString(kKey, "UserId", userId);
    desktop.Hive().SetString(kKey, "Password", password);
    desktop.Hive().SetString(kKey, "AutoRun", autoRun);
  }
  [[nodiscard]] std::filesystem::path ConfigFile() const { return folder_ / "config.ini"; }
  void WriteConfig(const std::string& text) const { std::ofstream(ConfigFile(), std::ios::binary) << text; }
  [[nodiscard]] std::string ReadConfig() const {
    std::ifstream file(ConfigFile(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  // Transcript lines from index from on that contain every one of the pieces.
  [[nodiscard]] int CountSince(std::size_t from, std::initializer_list<std::string> pieces) const {
    const auto& lines = desktop.Transcript();
    int count = 0;
    for (std::size_t i = from; i < lines.size(); ++i) {
      bool all = true;
      for (const std::string& piece : pieces) all = all && lines[i].find(piece) != std::string::npos;
      count += all ? 1 : 0;
    }
    return count;
  }
  // Ends this run of the program and starts the next one on the same desktop.
  void Restart() {
    application.reset();
    form = nullptr;
    Start();
  }

  std::filesystem::path folder_;
};
