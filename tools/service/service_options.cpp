#include "tools/service/service_options.h"

#include <arpa/inet.h>

#include <charconv>
#include <map>

namespace {

const std::map<std::string, Fault> kFaultNames = {
    {"stall", Fault::fStall},         {"reset", Fault::fReset},         {"garbage", Fault::fGarbage},
    {"huge", Fault::fHuge},           {"status500", Fault::fStatus500}, {"wrong-charset", Fault::fWrongCharset},
};

int ParsePort(const std::string& text) {
  int port = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (error != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535) {
    throw UsageError("--port needs a number from 0 to 65535, not '" + text + "'");
  }
  return port;
}

std::string ParseInterval(const std::string& text) {
  unsigned seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || seconds > 86400) {
    throw UsageError("--interval needs whole seconds from 0 to 86400, not '" + text + "'");
  }
  return std::to_string(seconds);
}

FaultRule ParseFault(const std::string& text) {
  const auto colon = text.find(':');
  const std::string name = text.substr(0, colon);
  const auto found = kFaultNames.find(name);
  if (found == kFaultNames.end()) throw UsageError("unknown fault '" + name + "'");
  return FaultRule{found->second, colon == std::string::npos ? std::string() : text.substr(colon + 1)};
}

}  // namespace

const char* const kServiceUsage =
    "usage: vor-service [--listen ADDRESS] [--port N] [--accounts FILE] [--account USER:PASSWORD]...\n"
    "                   [--version TEXT] [--update-url URL] [--interval SECONDS]\n"
    "                   [--fault NAME[:ENDPOINT]]... [--allow-non-loopback]\n"
    "faults: stall reset garbage huge status500 wrong-charset\n";

AccountLine ParseAccountLine(const std::string& text) {
  const auto colon = text.find(':');
  if (colon == std::string::npos || colon == 0) throw UsageError("an account is USER:PASSWORD, not '" + text + "'");
  return AccountLine{text.substr(0, colon), text.substr(colon + 1)};
}

bool IsLoopbackAddress(const std::string& address) {
  if (address == "localhost") return true;
  in_addr v4{};
  if (inet_pton(AF_INET, address.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6{};
  return inet_pton(AF_INET6, address.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

ServiceOptions ParseServiceOptions(const std::vector<std::string>& args) {
  ServiceOptions options;
  using Setter = void (*)(ServiceOptions&, const std::string&);
  static const std::map<std::string, Setter> kValued = {
      {"--listen", [](ServiceOptions& o, const std::string& v) { o.listen = v; }},
      {"--port", [](ServiceOptions& o, const std::string& v) { o.port = ParsePort(v); }},
      {"--accounts", [](ServiceOptions& o, const std::string& v) { o.account_files.push_back(v); }},
      {"--account", [](ServiceOptions& o, const std::string& v) { o.accounts.push_back(ParseAccountLine(v)); }},
      {"--version", [](ServiceOptions& o, const std::string& v) { o.version = v; }},
      {"--update-url", [](ServiceOptions& o, const std::string& v) { o.update_url = v; }},
      {"--interval", [](ServiceOptions& o, const std::string& v) { o.interval = ParseInterval(v); }},
      {"--fault", [](ServiceOptions& o, const std::string& v) { o.faults.push_back(ParseFault(v)); }},
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help") {
      options.help = true;
    } else if (name == "--allow-non-loopback") {
      options.allow_non_loopback = true;
    } else if (const auto found = kValued.find(name); found != kValued.end()) {
      if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
      found->second(options, args[++i]);
    } else {
      throw UsageError("unknown argument '" + name + "'");
    }
  }
  if (!options.help && !options.allow_non_loopback && !IsLoopbackAddress(options.listen)) {
    throw UsageError("refusing to listen on '" + options.listen +
                     "', which is not a loopback address (--allow-non-loopback allows it)");
  }
  return options;
}
