#pragma once
// The ways a scenario can stop the driver. Neither belongs to the program's exception
// family, so nothing in the program catches them: thrown while the program runs, they
// unwind it.

#include <stdexcept>

// The scenario asked for something the driver cannot do: an unknown command, a malformed
// line, a command that needs a running program when none runs.
class ScriptError final : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The scenario ended while the program was still running.
struct EndOfScript final {};
