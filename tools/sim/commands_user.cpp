// What the user and the passing time do to the running program, and looking at it. User
// actions reach the program as real input does: as messages or tasks on its queue, handled
// inside the application's dispatch, where its message hook sees them.

#include <cctype>
#include <charconv>
#include <functional>
#include <limits>

#include "app/Unit1.h"
#include "tools/sim/commands.h"
#include "tools/sim/script_error.h"
#include "tools/sim/script_reader.h"
#include "tools/sim/script_values.h"
#include "tools/sim/sim_driver.h"
#include "tools/sim/state_json.h"

namespace {

using When = Command::When;
constexpr std::size_t kFreeText = Command::kFreeText;

// The named control of the given kind; a name that the window does not hold as that kind
// is the script's mistake.
template <class Control>
Control& FindControl(SimDriver& driver, const std::string& name, const char* kind) {
  auto* control = dynamic_cast<Control*>(driver.Form().FindComponent(Utf8ToAnsi(name)));
  if (!control) throw ScriptError("the window has no " + std::string(kind) + " named '" + name + "'");
  return *control;
}

// Runs input on the program's queue. A control the user cannot reach (disabled, hidden, or
// on a hidden window) takes nothing; the transcript says so.
void PostInput(SimDriver& driver, const ScriptLine& line, TControl& control, std::function<void()> input) {
  TForm1& form = driver.Form();
  driver.Application().Loop().PostTask(
      [&driver, &form, &control, command = line.Word(0), input = std::move(input)] {
        const char* reason = !control.Enabled                  ? "disabled"
                             : !control.Visible || !form.Visible ? "hidden"
                                                                 : nullptr;
        if (!reason) return input();
        driver.Emit(JsonObject()
                        .Add("event", command + "_ignored")
                        .Add("control", AnsiToUtf8(control.Name))
                        .Add("reason", reason));
      });
}

void Type(SimDriver& driver, const ScriptLine& line) {
  auto& edit = FindControl<TsEdit>(driver, line.Word(1), "edit box");
  PostInput(driver, line, edit, [&edit, text = Utf8ToAnsi(line.Text(2))] { edit.Text = text; });
}

void Check(SimDriver& driver, const ScriptLine& line) {
  auto& box = FindControl<TsCheckBox>(driver, line.Word(1), "check box");
  const bool checked = Choice(line, 2, {"on", "off"}) == 0;
  PostInput(driver, line, box, [&box, checked] { box.Checked = checked; });
}

void Click(SimDriver& driver, const ScriptLine& line) {
  auto& button = FindControl<TsBitBtn>(driver, line.Word(1), "button");
  PostInput(driver, line, button, [&button] { button.Click(); });
}

// The shell's callback events by name, as the mouse messages and balloon notices the icon
// receives.
LPARAM TrayEvent(const ScriptLine& line) {
  constexpr LPARAM kEvents[] = {WM_MOUSEMOVE,     WM_LBUTTONDOWN, WM_LBUTTONUP,     WM_LBUTTONDBLCLK,
                                WM_RBUTTONDOWN,   WM_RBUTTONUP,   WM_RBUTTONDBLCLK, WM_MBUTTONDOWN,
                                WM_MBUTTONUP,     WM_MBUTTONDBLCLK, NIN_BALLOONUSERCLICK};
  const std::string& word = line.Word(1);
  if (!word.empty() && (std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '-')) {
    return static_cast<LPARAM>(line.Integer(1));
  }
  return kEvents[Choice(line, 1,
                        {"move", "ldown", "lup", "ldbl", "rdown", "rup", "rdbl", "mdown", "mup", "mdbl",
                         "balloonclick"})];
}

void Tray(SimDriver& driver, const ScriptLine& line) {
  const LPARAM event = TrayEvent(line);
  const auto& icons = driver.Desktop().Icons();
  if (icons.empty()) {
    driver.Emit(JsonObject().Add("event", "tray_ignored").Add("reason", "no icon in the notification area"));
    return;
  }
  const NOTIFYICONDATAA& icon = icons.begin()->second;
  driver.Application().Loop().PostMessage(icon.hWnd, icon.uCallbackMessage, 0, event);
}

void Menu(SimDriver& driver, const ScriptLine& line) {
  const std::string item_text = line.Text(1);
  const AnsiString wanted = Utf8ToAnsi(item_text);
  TMenuItem* item = nullptr;
  for (TMenuItem* candidate : driver.Form().PopupMenu1->Items) {
    if (candidate->Name == wanted || candidate->Caption == wanted) item = candidate;
  }
  if (!item) throw ScriptError("the tray menu has no item '" + item_text + "'");
  driver.Application().Loop().PostTask([&driver, item] {
    if (item->Enabled && item->Visible) return item->Click();
    driver.Emit(JsonObject().Add("event", "menu_ignored").Add("item", AnsiToUtf8(item->Name)));
  });
}

void SysCommand(SimDriver& driver, const ScriptLine& line) {
  const WPARAM command = Choice(line, 1, {"minimize", "restore"}) == 0 ? SC_MINIMIZE : SC_RESTORE;
  TApplication& application = driver.Application();
  application.Loop().PostMessage(application.Handle(), WM_SYSCOMMAND, command);
}

void Close(SimDriver& driver, const ScriptLine&) {
  driver.Application().Loop().PostMessage(driver.Form().Handle(), WM_CLOSE);
}

// A virtual-key code: a number (decimal or 0x hexadecimal), a key name, or one character,
// whose key is its upper-case letter or digit.
WPARAM VirtualKey(const ScriptLine& line, std::size_t index, bool as_character) {
  const std::string& word = line.Word(index);
  struct Named {
    const char* name;
    int key;
  };
  constexpr Named kNames[] = {{"back", VK_BACK},   {"shift", VK_SHIFT}, {"ctrl", VK_CONTROL},
                              {"alt", VK_MENU},    {"left", VK_LEFT},   {"right", VK_RIGHT}};
  for (const Named& named : kNames) {
    if (word == named.name) return static_cast<WPARAM>(named.key);
  }
  if (word.size() == 1) {
    const auto c = static_cast<unsigned char>(word[0]);
    return as_character ? c : static_cast<WPARAM>(std::toupper(c));
  }
  const bool hex = word.starts_with("0x");
  unsigned value = 0;
  const char* begin = word.data() + (hex ? 2 : 0);
  const auto [end, error] = std::from_chars(begin, word.data() + word.size(), value, hex ? 16 : 10);
  if (error != std::errc() || end != word.data() + word.size() || begin == end || value > 0xFFFF) {
    throw ScriptError("malformed line: '" + word + "' is not a key");
  }
  return value;
}

void Key(SimDriver& driver, const ScriptLine& line) {
  const std::size_t kind = Choice(line, 1, {"down", "up", "char"});
  const WPARAM key = VirtualKey(line, 2, kind == 2);
  constexpr UINT kMessages[] = {WM_KEYDOWN, WM_KEYUP, WM_CHAR};
  if (kind != 2) driver.Desktop().SetKeyDown(static_cast<int>(key), kind == 0);
  driver.Application().Loop().PostMessage(driver.Form().CppWebBrowser1->Handle(), kMessages[kind], key);
}

// The system's round at the end of a session: the message goes to each of the program's
// windows in turn, and the transcript shows what each answered.
void EndSession(SimDriver& driver, const ScriptLine& line) {
  const bool query = Choice(line, 1, {"query", "end"}) == 0;
  WPARAM ends = 1;
  if (line.WordCount() == 3) {
    if (query) throw ScriptError("malformed line: usage: endsession query|end [0|1]");
    ends = Choice(line, 2, {"0", "1"});
  }
  TForm1& form = driver.Form();
  TApplication& application = driver.Application();
  application.Loop().PostTask([&driver, &form, &application, query, ends] {
    const UINT message = query ? WM_QUERYENDSESSION : WM_ENDSESSION;
    const WPARAM wparam = query ? 0 : ends;
    JsonObject event;
    event.Add("event", "endsession").Add("message", query ? "query" : "end").Add("wParam", static_cast<int>(wparam));
    const std::pair<const char*, HWND> windows[] = {
        {"form", form.Handle()}, {"application", application.Handle()}, {"tray", form.TrayIcon1->GetHandle()}};
    for (const auto& [name, window] : windows) {
      LRESULT result = 0;
      // Each window handles the message inside the platform's dispatch, as a sent message is.
      application.Dispatch([&] { result = application.Loop().SendMessage(window, message, wparam); });
      event.Add(name, static_cast<std::int64_t>(result));
    }
    driver.Emit(event);
  });
}

// The page's own scripts are not run; the scenario stands in for them by setting the
// marker fields.
void Field(SimDriver& driver, const ScriptLine& line) {
  const std::string value = line.Text(2);
  HtmlDocument* document = driver.Form().CppWebBrowser1->View().Document();
  const int count = document ? document->SetInputValues(Utf8ToWide(line.Word(1)), Utf8ToWide(value)) : 0;
  driver.Emit(JsonObject().Add("event", "field").Add("id", line.Word(1)).Add("value", value).Add("count", count));
}

void Wait(SimDriver& driver, const ScriptLine& line) {
  driver.Desktop().WaitFor(IntArgument(line, 1, 0, std::numeric_limits<int>::max()));
}

void State(SimDriver& driver, const ScriptLine&) { driver.Emit(StateJson(driver.Form())); }

const CommandEntry kCommands[] = {
    {"type", {"type CONTROL TEXT", 1, kFreeText, When::kRunning, Type}},
    {"check", {"check CONTROL on|off", 2, 2, When::kRunning, Check}},
    {"click", {"click CONTROL", 1, 1, When::kRunning, Click}},
    {"tray", {"tray move|ldown|lup|ldbl|rdown|rup|rdbl|mdown|mup|mdbl|balloonclick|N", 1, 1, When::kRunning, Tray}},
    {"menu", {"menu ITEM", 1, kFreeText, When::kRunning, Menu}},
    {"syscommand", {"syscommand minimize|restore", 1, 1, When::kRunning, SysCommand}},
    {"close", {"close", 0, 0, When::kRunning, Close}},
    {"key", {"key down|up|char VK", 2, 2, When::kRunning, Key}},
    {"endsession", {"endsession query|end [0|1]", 1, 2, When::kRunning, EndSession}},
    {"field", {"field ID VALUE", 1, kFreeText, When::kRunning, Field}},
    {"wait", {"wait MS", 1, 1, When::kRunning, Wait}},
    {"state", {"state", 0, 0, When::kRunning, State}},
};

}  // namespace

std::span<const CommandEntry> UserCommands() { return kCommands; }
