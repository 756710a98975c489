#pragma once
// The scenario's commands: their names, how many words they take, when they may come, and
// what they do.

#include <cstddef>
#include <limits>
#include <span>
#include <string>
#include <string_view>

class ScriptLine;
class SimDriver;

struct Command {
  enum class When { kAnyTime, kRunning, kStopped };
  // A command whose last argument is free text takes any number of words.
  static constexpr std::size_t kFreeText = std::numeric_limits<std::size_t>::max();

  const char* usage = "";
  std::size_t min_arguments = 0;
  std::size_t max_arguments = 0;
  When when = When::kAnyTime;
  void (*run)(SimDriver& driver, const ScriptLine& line) = nullptr;
};

// The command of that name, or null.
[[nodiscard]] const Command* FindCommand(const std::string& name);

// The two halves of the table: the machine and the world around the program, and what the
// user and the passing time do to the running program.
struct CommandEntry {
  std::string_view name;
  Command command;
};
[[nodiscard]] std::span<const CommandEntry> MachineCommands();
[[nodiscard]] std::span<const CommandEntry> UserCommands();
