#pragma once
// Runs a scenario through the driver in this process and keeps what it printed, with small
// readers for the one-line JSON objects of the transcript.

#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "tools/sim/sim_driver.h"

struct ScenarioRun {
  int code = 0;
  std::vector<std::string> lines;

  // Lines that contain every one of the pieces.
  [[nodiscard]] std::vector<std::string> Matching(std::initializer_list<std::string> pieces) const {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
      bool all = true;
      for (const std::string& piece : pieces) all = all && line.find(piece) != std::string::npos;
      if (all) found.push_back(line);
    }
    return found;
  }
  [[nodiscard]] int Count(std::initializer_list<std::string> pieces) const {
    return static_cast<int>(Matching(pieces).size());
  }
  // Every line of one event kind, in order.
  [[nodiscard]] std::vector<std::string> Events(const std::string& event) const {
    return Matching({"{\"event\":\"" + event + "\""});
  }
  // The index of the first line containing piece, or -1.
  [[nodiscard]] int IndexOf(const std::string& piece) const {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].find(piece) != std::string::npos) return static_cast<int>(i);
    }
    return -1;
  }
};

inline ScenarioRun RunScenarioText(const std::string& text) {
  std::istringstream script(text);
  std::ostringstream out;
  ScenarioRun run;
  run.code = RunScenario(script, out);
  std::istringstream printed(out.str());
  for (std::string line; std::getline(printed, line);) run.lines.push_back(line);
  return run;
}

// A scenario file of tests/tools/scenarios, or of another folder, after lines of set-up
// that the file leaves to whoever runs it.
inline ScenarioRun RunScenarioFile(const std::string& name, const std::string& folder = VOR_SCENARIO_DIR,
                                   const std::string& setup = "") {
  std::ifstream file(folder + name);
  std::ostringstream text;
  text << setup << file.rdbuf();
  return RunScenarioText(text.str());
}

// The raw text of a member's value in a JSON object written on one line (a nested object,
// a string with its quotes, a number, true, false or null); empty when there is no such
// member at the top level of the object.
inline std::string Member(const std::string& json, const std::string& key) {
  const std::string wanted = "\"" + key + "\":";
  int depth = 0;
  bool in_string = false;
  for (std::size_t i = 0; i < json.size(); ++i) {
    const char c = json[i];
    if (in_string) {
      if (c == '\\') ++i;
      else if (c == '"') in_string = false;
      continue;
    }
    if (depth == 1 && json.compare(i, wanted.size(), wanted) == 0) {
      const std::size_t begin = i + wanted.size();
      int inner = 0;
      bool quoted = false;
      for (std::size_t k = begin; k < json.size(); ++k) {
        const char v = json[k];
        if (quoted) {
          if (v == '\\') ++k;
          else if (v == '"') quoted = false;
          continue;
        }
        if (v == '"') quoted = true;
        else if (v == '{') ++inner;
        else if (v == '}' && inner == 0) return json.substr(begin, k - begin);
        else if (v == '}') --inner;
        else if (v == ',' && inner == 0) return json.substr(begin, k - begin);
      }
      return json.substr(begin);
    }
    if (c == '"') in_string = true;
    else if (c == '{') ++depth;
    else if (c == '}') --depth;
  }
  return {};
}

// Member of a member of ..., following the keys in turn.
inline std::string Path(std::string json, std::initializer_list<std::string> keys) {
  for (const std::string& key : keys) json = Member(json, key);
  return json;
}

// Transcripts are UTF-8 while the tests' narrow literals are code-page-936 bytes.
[[nodiscard]] inline std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }
