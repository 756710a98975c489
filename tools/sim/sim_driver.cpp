#include "tools/sim/sim_driver.h"

#include "app/Unit1.h"
#include "app/vor_main.h"
#include "tools/sim/commands.h"
#include "tools/sim/script_error.h"

namespace {

// A page on the network may keep the program waiting; the script goes on after this long
// in real time even when it has not arrived.
constexpr std::chrono::seconds kNetworkPatience{30};

}  // namespace

SimDriver::SimDriver(std::istream& script, std::ostream& transcript)
    : transcript_(transcript), reader_(script), exe_dir_(temp_folder_.Path()) {
  desktop_.SetExecutableDir(exe_dir_);
  desktop_.SetSink([this](const std::string& line) { Print(line); });
  desktop_.SetIdleHook([this] { Step(); });
}

void SimDriver::Print(const std::string& line) {
  if (muted_) return;
  transcript_ << line << '\n' << std::flush;
  // The desktop raises a script error right after it has recorded a box that no answer
  // was queued for; the teardown that follows is the script's doing, not the program's
  // story, so the transcript stops here.
  if (line.ends_with(R"("answer":"none"})")) muted_ = true;
}

int SimDriver::Run() {
  try {
    while (const auto line = reader_.Next()) Execute(*line);
  } catch (const EndOfScript&) {
    // The run that was still going has been taken down without a word.
  } catch (const std::exception& error) {
    // Script errors of the driver and of the desktop alike; nothing else the driver does
    // may end the run with a crash either.
    muted_ = false;
    Emit(JsonObject().Add("event", "script_error").Add("line", line_).Add("message", error.what()));
    return kScriptErrorCode;
  }
  return last_code_;
}

void SimDriver::Execute(const ScriptLine& line) {
  line_ = line.Line();
  const Command* command = FindCommand(line.Word(0));
  if (!command) throw ScriptError("unknown command '" + line.Word(0) + "'");
  const std::size_t arguments = line.WordCount() - 1;
  if (arguments < command->min_arguments || arguments > command->max_arguments) {
    throw ScriptError("malformed line: usage: " + std::string(command->usage));
  }
  if (command->when == Command::When::kRunning && !running_) {
    throw ScriptError(line.Word(0) + " needs a running program");
  }
  if (command->when == Command::When::kStopped && running_) {
    throw ScriptError(line.Word(0) + " needs the program to have exited");
  }
  try {
    command->run(*this, line);
  } catch (const Exception& error) {
    // Called from inside the program, an error of its own family would be taken for the
    // program's and end it silently.
    throw ScriptError(AnsiToUtf8(error.Message()));
  }
}

void SimDriver::Step() {
  const auto line = reader_.Next();
  if (!line) {
    Emit(JsonObject().Add("event", "end_of_script").Add("running", true));
    muted_ = true;
    throw EndOfScript{};
  }
  try {
    Execute(*line);
  } catch (...) {
    // The error unwinds the program; its teardown is no part of the transcript.
    muted_ = true;
    throw;
  }
}

void SimDriver::StartProgram() {
  running_ = true;
  struct Stopped {
    SimDriver& driver;
    ~Stopped() {
      driver.running_ = false;
      if (driver.network_) driver.network_->Detach();
      // A wait that the exit cut short ends here; left pending, it would make the clock
      // jump at the next run's first idle moment, after that run's timers were set.
      driver.desktop_.WaitFor(0);
    }
  } stopped{*this};
  last_code_ = VorMain(desktop_);
  Emit(JsonObject().Add("event", "exit").Add("code", last_code_));
}

TApplication& SimDriver::Application() {
  TApplication* application = desktop_.Application();
  if (!running_ || !application) throw ScriptError("no program runs");
  return *application;
}

TForm1& SimDriver::Form() {
  auto* form = dynamic_cast<TForm1*>(Application().MainForm());
  if (!form) throw ScriptError("the program has no window");
  return *form;
}

void SimDriver::SetExecutableDir(std::string dir) {
  if (!dir.ends_with('/')) dir += '/';
  exe_dir_ = std::move(dir);
  desktop_.SetExecutableDir(exe_dir_);
}

RoutedNetwork& SimDriver::Network() {
  if (!network_) {
    network_ = std::make_unique<RoutedNetwork>(desktop_);
    desktop_.WebPages().SetNetwork(network_.get());
    desktop_.SetOutsideWork([network = network_.get()] { return network->Busy(); }, kNetworkPatience);
  }
  return *network_;
}

int RunScenario(std::istream& script, std::ostream& transcript) { return SimDriver(script, transcript).Run(); }
