#pragma once
// Runs the real program on the simulated desktop as a scenario says, and writes the
// transcript of what the outside world sees, one JSON object a line.
//
// Commands before `start` set up the machine. `start` runs the program; whenever it is idle,
// the driver reads and executes the next command inside it, so that user actions arrive as
// real input does, through the message loop. When the program has exited, reading goes on
// outside it, and another `start` may follow on the same machine.

#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "platform/sim/sim_desktop.h"
#include "tools/sim/routed_network.h"
#include "tools/sim/script_reader.h"
#include "tools/sim/temp_folder.h"

class TForm1;

// The driver's exit code after a script error.
inline constexpr int kScriptErrorCode = 2;

class SimDriver final {
 public:
  SimDriver(std::istream& script, std::ostream& transcript);
  SimDriver(const SimDriver&) = delete;
  SimDriver& operator=(const SimDriver&) = delete;

  // Runs the scenario to its end. Returns the exit code of the last run of the program
  // that ended (0 when none did), or kScriptErrorCode after a script error.
  [[nodiscard]] int Run();

  // What the commands work with.
  [[nodiscard]] SimDesktop& Desktop() { return desktop_; }
  void Emit(const JsonObject& event) { desktop_.Record(event); }
  [[nodiscard]] bool Running() const { return running_; }
  [[nodiscard]] TApplication& Application();
  [[nodiscard]] TForm1& Form();
  // Runs the program until it exits.
  void StartProgram();
  // The folder the program takes for its executable's, ending with a path separator.
  [[nodiscard]] const std::string& ExecutableDir() const { return exe_dir_; }
  void SetExecutableDir(std::string dir);
  // The real network behind the scripted pages, set up on first use.
  [[nodiscard]] RoutedNetwork& Network();

 private:
  void Print(const std::string& line);
  // Reads and executes the next command while the program is idle.
  void Step();
  void Execute(const ScriptLine& line);

  std::ostream& transcript_;
  ScriptReader reader_;
  SimDesktop desktop_;
  TempFolder temp_folder_;
  std::string exe_dir_;
  std::unique_ptr<RoutedNetwork> network_;
  bool running_ = false;
  bool muted_ = false;
  int line_ = 0;
  int last_code_ = 0;
};

// Runs a whole scenario on a fresh simulated machine.
[[nodiscard]] int RunScenario(std::istream& script, std::ostream& transcript);
