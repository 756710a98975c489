// The service's request log stays bounded however it is flooded.

#include <gtest/gtest.h>

#include "tools/service/request_log.h"

namespace {

TEST(RequestLog, LongTextsAreCutAndSayHowLongTheyWere) {
  RequestLog log;
  LoggedRequest entry;
  entry.path = "/p";
  entry.raw_query = std::string(600, 'r');
  entry.query = {{"k", std::string(RequestLog::kMaxText, 'v')}};
  log.Add(entry);
  const LoggedRequest& kept = log.Entries().back();
  EXPECT_EQ(kept.raw_query, std::string(RequestLog::kMaxText, 'r') + "...(600 bytes)");
  EXPECT_EQ(kept.query.at(0).second, std::string(RequestLog::kMaxText, 'v'));
}

TEST(RequestLog, TheOldestEntriesGiveWay) {
  RequestLog log;
  for (std::size_t i = 0; i <= RequestLog::kCapacity; ++i) {
    LoggedRequest entry;
    entry.path = "/" + std::to_string(i);
    log.Add(entry);
  }
  EXPECT_EQ(log.Entries().size(), RequestLog::kCapacity);
  EXPECT_EQ(log.Entries().front().path, "/1");
}

TEST(RequestLog, EachEntryIsOneJsonLine) {
  LoggedRequest entry;
  entry.path = "/x";
  entry.raw_query = "a=%0A";
  entry.query = {{"a", "\n"}};
  entry.status = 500;
  entry.answer = "FALSE|\"";
  entry.fault = "status500";
  EXPECT_EQ(LogLine(entry), R"({"event":"request","path":"/x","raw":"a=%0A","query":{"a":"\n"},"status":500,)"
                            R"("answer":"FALSE|\"","fault":"status500"})");
}

}  // namespace
