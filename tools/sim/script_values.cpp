#include "tools/sim/script_values.h"

#include "tools/sim/script_error.h"
#include "tools/sim/script_reader.h"

int IntArgument(const ScriptLine& line, std::size_t index, int min, int max) {
  const std::int64_t value = line.Integer(index);
  if (value < min || value > max) {
    throw ScriptError("malformed line: " + line.Word(index) + " is out of range " + std::to_string(min) + ".." +
                      std::to_string(max));
  }
  return static_cast<int>(value);
}

std::size_t Choice(const ScriptLine& line, std::size_t index, std::initializer_list<const char*> choices) {
  const std::string& word = line.Word(index);
  std::size_t position = 0;
  std::string expected;
  for (const char* choice : choices) {
    if (word == choice) return position;
    expected += (position++ == 0 ? "" : "|") + std::string(choice);
  }
  throw ScriptError("malformed line: '" + word + "' is not one of " + expected);
}
