#include "tools/service/request_log.h"

#include "platform/sim/json.h"

std::string LogLine(const LoggedRequest& entry) {
  JsonObject query;
  for (const auto& [key, value] : entry.query) query.Add(key, value);
  JsonObject line;
  line.Add("event", "request").Add("path", entry.path).Add("raw", entry.raw_query).Add("query", query);
  line.Add("status", entry.status).Add("answer", entry.answer);
  if (!entry.fault.empty()) line.Add("fault", entry.fault);
  return line.str();
}

namespace {

void Clip(std::string& text) {
  if (text.size() <= RequestLog::kMaxText) return;
  const std::size_t size = text.size();
  text.resize(RequestLog::kMaxText);
  text += "...(" + std::to_string(size) + " bytes)";
}

}  // namespace

void RequestLog::Add(LoggedRequest entry) {
  Clip(entry.raw_query);
  Clip(entry.answer);
  for (auto& [key, value] : entry.query) {
    Clip(key);
    Clip(value);
  }
  entries_.push_back(std::move(entry));
  if (entries_.size() > kCapacity) entries_.pop_front();
}

std::string RequestLog::Lines() const {
  std::string lines;
  for (const LoggedRequest& entry : entries_) lines += LogLine(entry) + "\n";
  return lines;
}
