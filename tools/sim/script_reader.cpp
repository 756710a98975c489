#include "tools/sim/script_reader.h"

#include <charconv>

#include "tools/sim/script_error.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

ScriptLine::ScriptLine(int number, std::string text) : number_(number), text_(std::move(text)) {
  for (std::size_t i = 0; i < text_.size();) {
    if (IsBlank(text_[i])) {
      ++i;
      continue;
    }
    Span span{i, i};
    while (span.end < text_.size() && !IsBlank(text_[span.end])) ++span.end;
    spans_.push_back(span);
    words_.push_back(text_.substr(span.begin, span.end - span.begin));
    i = span.end;
  }
  word_count_ = words_.size();
  for (std::size_t k = 0; k < words_.size(); ++k) {
    if (words_[k].starts_with('#')) {
      word_count_ = k;
      break;
    }
  }
}

const std::string& ScriptLine::Word(std::size_t index) const {
  if (index >= word_count_) throw ScriptError("malformed line: a word is missing");
  return words_[index];
}

std::int64_t ScriptLine::Integer(std::size_t index) const {
  const std::string& word = Word(index);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) {
    throw ScriptError("'" + word + "' is not a whole number");
  }
  return value;
}

std::string ScriptLine::Text(std::size_t index) const {
  if (index == 0 || index > spans_.size()) return {};
  const std::size_t begin = spans_[index - 1].end + 1;
  std::string text;
  for (std::size_t i = begin; i < text_.size(); ++i) {
    if (text_[i] == '\\' && i + 1 < text_.size() && (text_[i + 1] == 'n' || text_[i + 1] == '\\')) {
      text += text_[i + 1] == 'n' ? '\n' : '\\';
      ++i;
    } else {
      text += text_[i];
    }
  }
  return text;
}

std::optional<ScriptLine> ScriptReader::Next() {
  std::string text;
  while (std::getline(in_, text)) {
    ++number_;
    if (text.ends_with('\r')) text.pop_back();
    ScriptLine line(number_, std::move(text));
    if (line.WordCount() > 0) return line;
  }
  return std::nullopt;
}
