#pragma once
// Reading the values of a scenario line that several commands share.

#include <cstddef>
#include <initializer_list>
#include <string>

class ScriptLine;

// Word index as an int within [min, max].
[[nodiscard]] int IntArgument(const ScriptLine& line, std::size_t index, int min, int max);
// Word index, which must be one of the given choices; returns its position among them.
[[nodiscard]] std::size_t Choice(const ScriptLine& line, std::size_t index, std::initializer_list<const char*> choices);
