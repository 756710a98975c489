#pragma once
// The command line of vor-service.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Ways to misbehave on purpose, so that clients can be tried against a faulty peer.
enum class Fault {
  fStall,         // sends the headers and half the page, then never finishes
  fReset,         // sends half the page and drops the connection
  fGarbage,       // answers with binary noise instead of the page
  fHuge,          // pads the page to 20 MiB
  fStatus500,     // the usual page, under status 500
  fWrongCharset,  // the GBK page declared as UTF-8
};

struct FaultRule {
  Fault fault = Fault::fStall;
  std::string endpoint;  // the last path segment it applies to; empty for every client page
};

struct AccountLine {
  std::string user;      // as given (UTF-8)
  std::string password;  // as given (UTF-8)
};

struct ServiceOptions {
  std::string listen = "127.0.0.1";
  int port = 0;  // 0 picks a free port
  bool allow_non_loopback = false;
  std::vector<std::string> account_files;
  std::vector<AccountLine> accounts;
  std::string version = "1.00";
  std::string update_url;
  std::string interval = "5";  // seconds between the client's new-message polls
  std::vector<FaultRule> faults;
  bool help = false;
};

class UsageError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name. Raises UsageError for anything it does not
// understand, with a message that names the argument.
[[nodiscard]] ServiceOptions ParseServiceOptions(const std::vector<std::string>& args);

// "USER:PASSWORD", split at the first colon; the user may not be empty.
[[nodiscard]] AccountLine ParseAccountLine(const std::string& text);

[[nodiscard]] bool IsLoopbackAddress(const std::string& address);

extern const char* const kServiceUsage;
