#include "platform/inifile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/exceptions.h"
#include "platform/whole_file.h"

namespace {

struct Line {
  std::string text;
  std::string ending;  // "\r\n", "\n", or empty for a last line without one
};

enum class LineKind { lkOther, lkSection, lkEntry };

// What a line means to the profile rules; names and value are trimmed of blanks.
struct LineMeaning {
  LineKind kind = LineKind::lkOther;
  std::string_view name;
  std::string_view value;
};

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(std::string_view left, std::string_view right) {
  return SameText(AnsiString(std::string(left)), AnsiString(std::string(right)));
}

std::vector<Line> SplitLines(const std::string& bytes) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t feed = bytes.find('\n', start);
    if (feed == std::string::npos) {
      lines.push_back({bytes.substr(start), ""});
      break;
    }
    const bool crlf = feed > start && bytes[feed - 1] == '\r';
    const std::size_t end = crlf ? feed - 1 : feed;
    lines.push_back({bytes.substr(start, end - start), crlf ? "\r\n" : "\n"});
    start = feed + 1;
  }
  return lines;
}

LineMeaning MeaningOf(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.starts_with('[')) {
    const std::string_view inside = trimmed.substr(1);
    return {LineKind::lkSection, TrimBlanks(inside.substr(0, inside.find(']'))), {}};
  }
  const std::size_t equals = trimmed.find('=');
  if (trimmed.starts_with(';') || equals == std::string_view::npos) return {};
  return {LineKind::lkEntry, TrimBlanks(trimmed.substr(0, equals)), TrimBlanks(trimmed.substr(equals + 1))};
}

// Index of the header of the first section with this name.
std::optional<std::size_t> FindSection(const std::vector<Line>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LineMeaning meaning = MeaningOf(lines[i].text);
    if (meaning.kind == LineKind::lkSection && SameName(meaning.name, section)) return i;
  }
  return std::nullopt;
}

// Index one past the last line of the section whose header is at index header.
std::size_t SectionEnd(const std::vector<Line>& lines, std::size_t header) {
  std::size_t end = header + 1;
  while (end < lines.size() && MeaningOf(lines[end].text).kind != LineKind::lkSection) ++end;
  return end;
}

std::optional<std::size_t> FindEntry(const std::vector<Line>& lines, std::size_t header, std::string_view ident) {
  const std::size_t end = SectionEnd(lines, header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const LineMeaning meaning = MeaningOf(lines[i].text);
    if (meaning.kind == LineKind::lkEntry && SameName(meaning.name, ident)) return i;
  }
  return std::nullopt;
}

// New lines take the ending the file already uses; a new file gets the system's CRLF.
std::string EndingOf(const std::vector<Line>& lines) {
  for (const Line& line : lines) {
    if (!line.ending.empty()) return line.ending;
  }
  return "\r\n";
}

// Puts a line after index after (or at the start when there is none), giving the line it
// follows an ending if it had none.
void InsertLine(std::vector<Line>& lines, std::optional<std::size_t> after, std::string text, const std::string& ending) {
  const std::size_t at = after ? *after + 1 : 0;
  if (after && lines[*after].ending.empty()) lines[*after].ending = ending;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), ending});
}

void SetEntry(std::vector<Line>& lines, const std::string& section, const std::string& ident, const std::string& value) {
  const std::string ending = EndingOf(lines);
  const std::optional<std::size_t> header = FindSection(lines, section);
  if (!header) {
    std::optional<std::size_t> last;
    if (!lines.empty()) last = lines.size() - 1;
    InsertLine(lines, last, "[" + section + "]", ending);
    InsertLine(lines, lines.size() - 1, ident + "=" + value, ending);
    return;
  }
  if (const std::optional<std::size_t> entry = FindEntry(lines, *header, ident)) {
    // The key keeps its spelling from the file; blanks around it and the old value go.
    lines[*entry].text = std::string(MeaningOf(lines[*entry].text).name) + "=" + value;
    return;
  }
  // A new key follows the section's last non-blank line, so that blank lines separating it
  // from the next section stay where they are.
  std::size_t last = *header;
  const std::size_t end = SectionEnd(lines, *header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    if (!TrimBlanks(lines[i].text).empty()) last = i;
  }
  InsertLine(lines, last, ident + "=" + value, ending);
}

}  // namespace

AnsiString TIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) const {
  const std::optional<std::string> bytes = ReadWholeFile(AnsiToUtf8(file_name_));
  if (!bytes) return Default;
  const std::vector<Line> lines = SplitLines(*bytes);
  const std::optional<std::size_t> header = FindSection(lines, Section.bytes());
  if (!header) return Default;
  const std::optional<std::size_t> entry = FindEntry(lines, *header, Ident.bytes());
  if (!entry) return Default;
  return AnsiString(std::string(MeaningOf(lines[*entry].text).value));
}

void TIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) {
  const std::string path = AnsiToUtf8(file_name_);
  // A file that exists but cannot be read is not replaced: its contents would be lost.
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) throw EIniFileException(FormatMessage("Unable to write to %s", file_name_));
  std::vector<Line> lines = SplitLines(*bytes);
  SetEntry(lines, Section.bytes(), Ident.bytes(), Value.bytes());
  std::string text;
  for (const Line& line : lines) text += line.text + line.ending;
  if (!ReplaceWholeFile(path, text)) throw EIniFileException(FormatMessage("Unable to write to %s", file_name_));
}
