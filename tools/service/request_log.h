#pragma once
// The record of what the service was asked and what it answered, kept for the admin
// interface and written as one JSON line per request.

#include <cstddef>
#include <deque>
#include <string>
#include <utility>
#include <vector>

struct LoggedRequest {
  std::string path;
  std::string raw_query;                                   // as it arrived, still encoded
  std::vector<std::pair<std::string, std::string>> query;  // decoded, in UTF-8
  int status = 200;
  std::string answer;  // UTF-8: the reply text, or what the page was
  std::string fault;   // the fault played on the reply, if any
};

[[nodiscard]] std::string LogLine(const LoggedRequest& entry);

class RequestLog final {
 public:
  static constexpr std::size_t kCapacity = 2000;  // the oldest entries go first
  // Longer texts are cut, so that a flood of long requests cannot grow the log without end.
  static constexpr std::size_t kMaxText = 512;

  void Add(LoggedRequest entry);
  [[nodiscard]] const std::deque<LoggedRequest>& Entries() const { return entries_; }
  // Every entry as a JSON line, oldest first.
  [[nodiscard]] std::string Lines() const;

 private:
  std::deque<LoggedRequest> entries_;
};
