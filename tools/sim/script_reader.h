#pragma once
// Reads a scenario one command at a time. A line holds a command and its words, separated
// by blanks; blank lines and lines whose first word starts with "#" are skipped, and a word
// starting with "#" ends the words of a line. A command's last argument may instead be
// free text: everything after the one blank that follows the word before it, kept as
// written (blanks and "#" included), with "\n" standing for a line feed and "\\" for a
// backslash.

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

class ScriptLine final {
 public:
  ScriptLine(int number, std::string text);

  [[nodiscard]] int Line() const { return number_; }
  // The words before any comment; the command is word 0.
  [[nodiscard]] std::size_t WordCount() const { return word_count_; }
  [[nodiscard]] const std::string& Word(std::size_t index) const;
  // Word index as a whole decimal number.
  [[nodiscard]] std::int64_t Integer(std::size_t index) const;
  // The free text from word index on; empty when the line ends before it.
  [[nodiscard]] std::string Text(std::size_t index) const;

 private:
  struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
  };
  int number_ = 0;
  std::string text_;
  std::vector<Span> spans_;
  std::vector<std::string> words_;
  std::size_t word_count_ = 0;
};

class ScriptReader final {
 public:
  explicit ScriptReader(std::istream& in) : in_(in) {}
  // The next line that holds a command, or none at the end of the scenario.
  [[nodiscard]] std::optional<ScriptLine> Next();

 private:
  std::istream& in_;
  int number_ = 0;
};
