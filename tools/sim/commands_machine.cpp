// The machine and the world around the program: screen, clock, shell, pages, network,
// registry, settings file, message-box answers, and starting the program.

#include <ctime>
#include <fstream>
#include <limits>

#include "login/service_address.h"
#include "tools/sim/commands.h"
#include "tools/sim/script_error.h"
#include "tools/sim/script_reader.h"
#include "tools/sim/script_values.h"
#include "tools/sim/service_admin.h"
#include "tools/sim/sim_driver.h"
#include "tools/sim/store_json.h"

namespace {

using When = Command::When;
constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr std::size_t kFreeText = Command::kFreeText;

void Screen(SimDriver& driver, const ScriptLine& line) {
  driver.Desktop().SetScreen(IntArgument(line, 1, 0, kIntMax), IntArgument(line, 2, 0, kIntMax));
}

void Clock(SimDriver& driver, const ScriptLine& line) {
  // A real service judges the login's timestamp by its own clock, which is the machine's.
  if (line.Word(1) == "now") {
    driver.Desktop().SetClock(static_cast<std::int64_t>(std::time(nullptr)));
    return;
  }
  driver.Desktop().SetClock(line.Integer(1));
}

void Latency(SimDriver& driver, const ScriptLine& line) {
  driver.Desktop().WebPages().SetLatency(IntArgument(line, 1, 0, kIntMax));
}

void Shell(SimDriver& driver, const ScriptLine& line) {
  (void)Choice(line, 1, {"refuse"});
  using enum SimDesktop::ShellRefusal;
  constexpr SimDesktop::ShellRefusal kRefusals[] = {srAdd, srDelete, srNone};
  driver.Desktop().SetShellRefusal(kRefusals[Choice(line, 2, {"add", "delete", "none"})]);
}

void Page(SimDriver& driver, const ScriptLine& line) {
  std::string url = line.Word(1);
  // Scenarios name the service's endpoints by name, whatever host the build chose.
  if (!url.starts_with("http")) url = AnsiToUtf8(ServiceBase()) + url;
  driver.Desktop().WebPages().Serve(url, line.Text(2));
}

void Route(SimDriver& driver, const ScriptLine& line) {
  const std::string& address = line.Word(2);
  const std::size_t colon = address.rfind(':');
  const std::string port = colon == std::string::npos ? std::string() : address.substr(colon + 1);
  if (colon == 0 || port.empty() || port.find_first_not_of("0123456789") != std::string::npos || port.size() > 5 ||
      std::stoi(port) < 1 || std::stoi(port) > 65535) {
    throw ScriptError("malformed line: '" + address + "' is not ADDRESS:PORT");
  }
  driver.Network().AddRoute(line.Word(1), address);
}

// A query value for the admin interface, which takes its parameters in UTF-8.
std::string QueryValue(const std::string& utf8) { return PercentEncode(AnsiString(utf8)).bytes(); }

// The admin request a service line asks for: its path and query.
std::string AdminPath(const ScriptLine& line) {
  const std::size_t request = Choice(line, 1, {"deliver", "exit", "log"});
  const std::size_t words = line.WordCount();
  if (request == 0 && words >= 4) {
    return "/admin/deliver?user=" + QueryValue(line.Word(2)) + "&text=" + QueryValue(line.Text(3));
  }
  if (request == 1 && words == 3) return "/admin/exit?user=" + QueryValue(line.Word(2));
  if (request == 2 && words == 2) return "/admin/log";
  throw ScriptError("malformed line: usage: service deliver USER TEXT|exit USER|log");
}

void Service(SimDriver& driver, const ScriptLine& line) {
  const std::string path = AdminPath(line);
  const std::string host = ServiceHost().bytes();
  const auto address = driver.Network().RouteFor(host);
  if (!address) throw ScriptError("service needs a route for " + host);
  const AdminReply reply = AskService(*address, host, path);
  JsonObject event;
  event.Add("event", "service").Add("request", line.Word(1)).Add("status", reply.status);
  if (line.Word(1) != "log" || reply.status != 200) {
    driver.Emit(event.Add("reply", reply.body));
    return;
  }
  // The log comes a request a line; each is a line of the transcript too.
  driver.Emit(event);
  std::size_t start = 0;
  for (std::size_t end; (end = reply.body.find('\n', start)) != std::string::npos; start = end + 1) {
    driver.Emit(JsonObject().Add("event", "service_log").Add("line", reply.body.substr(start, end - start)));
  }
}

void Registry(SimDriver& driver, const ScriptLine& line) {
  MemoryHive& hive = driver.Desktop().Hive();
  const std::size_t action = Choice(line, 1, {"deny", "allow", "clear", "set", "setdword"});
  // "set" ends with free text (an empty value included); the others take fixed words.
  const std::size_t words = line.WordCount();
  const bool well_formed = action < 3 ? words == 2 : action == 3 ? words >= 3 : words == 4;
  if (!well_formed) {
    throw ScriptError("malformed line: usage: registry deny|allow|clear|set NAME VALUE|setdword NAME N");
  }
  switch (action) {
    case 0:
      hive.SetDenied(true);
      break;
    case 1:
      hive.SetDenied(false);
      break;
    case 2:
      hive.Clear(HKEY_LOCAL_MACHINE, kAccountKey);
      break;
    case 3:
      hive.SetString(kAccountKey, Utf8ToAnsi(line.Word(2)), Utf8ToAnsi(line.Text(3)));
      break;
    default:
      hive.SetDword(HKEY_LOCAL_MACHINE, kAccountKey, Utf8ToAnsi(line.Word(2)),
                    IntArgument(line, 3, std::numeric_limits<int>::min(), kIntMax));
      break;
  }
}

void Ini(SimDriver& driver, const ScriptLine& line) {
  const std::string path = driver.ExecutableDir() + kSettingsFile;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  // The program reads its settings file as code-page-936 text.
  file << Utf8ToAnsi(line.Text(1)).bytes();
  file.close();
  if (!file) throw ScriptError("cannot write " + path);
}

void Exe(SimDriver& driver, const ScriptLine& line) { driver.SetExecutableDir(line.Text(1)); }

void Answer(SimDriver& driver, const ScriptLine& line) {
  constexpr int kButtons[] = {IDYES, IDNO, IDOK};
  SimDesktop::BoxAnswer answer{kButtons[Choice(line, 1, {"yes", "no", "ok"})], 0};
  if (line.WordCount() == 4) {
    (void)Choice(line, 2, {"after"});
    answer.after_ms = IntArgument(line, 3, 0, kIntMax);
  } else if (line.WordCount() != 2) {
    throw ScriptError("malformed line: usage: answer yes|no|ok [after MS]");
  }
  driver.Desktop().QueueAnswer(answer);
}

void Store(SimDriver& driver, const ScriptLine&) {
  driver.Emit(StoreJson(driver.Desktop().Hive(), driver.ExecutableDir()));
}

void Start(SimDriver& driver, const ScriptLine&) { driver.StartProgram(); }

const CommandEntry kCommands[] = {
    {"screen", {"screen W H", 2, 2, When::kAnyTime, Screen}},
    {"clock", {"clock UNIXSECONDS|now", 1, 1, When::kAnyTime, Clock}},
    {"latency", {"latency MS", 1, 1, When::kAnyTime, Latency}},
    {"shell", {"shell refuse add|delete|none", 2, 2, When::kAnyTime, Shell}},
    {"page", {"page URL BODY", 1, kFreeText, When::kAnyTime, Page}},
    {"route", {"route HOST ADDRESS:PORT", 2, 2, When::kAnyTime, Route}},
    {"service", {"service deliver USER TEXT|exit USER|log", 1, kFreeText, When::kAnyTime, Service}},
    {"registry", {"registry deny|allow|clear|set NAME VALUE|setdword NAME N", 1, kFreeText, When::kAnyTime, Registry}},
    {"ini", {"ini TEXT", 0, kFreeText, When::kAnyTime, Ini}},
    {"exe", {"exe DIR", 1, kFreeText, When::kAnyTime, Exe}},
    {"answer", {"answer yes|no|ok [after MS]", 1, 3, When::kAnyTime, Answer}},
    {"store", {"store", 0, 0, When::kAnyTime, Store}},
    {"start", {"start", 0, 0, When::kStopped, Start}},
};

}  // namespace

std::span<const CommandEntry> MachineCommands() { return kCommands; }
