#include "tools/sim/commands.h"

#include <map>

const Command* FindCommand(const std::string& name) {
  static const std::map<std::string_view, Command> table = [] {
    std::map<std::string_view, Command> all;
    for (const auto part : {MachineCommands(), UserCommands()}) {
      for (const CommandEntry& entry : part) all.emplace(entry.name, entry.command);
    }
    return all;
  }();
  const auto found = table.find(name);
  return found == table.end() ? nullptr : &found->second;
}
