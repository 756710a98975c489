#pragma once
// The simulated desktop: a virtual clock, a notification area, scripted message-box
// answers, a screen, a cursor and keys, an in-memory registry and an in-memory web. It
// records everything the user would see as transcript lines.

// The durations come with <thread>: <chrono> itself spells a "\u00b5s" suffix that the GBK
// execution character set cannot hold, so it does not compile here.
#include <thread>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop.h"
#include "platform/sim/json.h"
#include "platform/sim/memory_hive.h"
#include "platform/sim/sim_web.h"

// Raised when a script asks for something the simulated world cannot give (a box with no
// answer queued). It is not one of the program's exceptions: nothing in the program
// catches it.
class SimScriptError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

class SimDesktop final : public Desktop {
 public:
  enum class ShellRefusal { srNone, srAdd, srDelete };
  struct BoxAnswer {
    int button = IDOK;
    std::int64_t after_ms = 0;  // how long the box stays open while timers tick
  };
  using IconKey = std::pair<HWND, UINT>;

  SimDesktop();

  // The world as the script sets it up.
  void SetScreen(int width, int height) { screen_width_ = width, screen_height_ = height; }
  void SetClock(std::int64_t unix_seconds);
  void SetCursor(POINT position) { cursor_ = position; }
  void SetKeyDown(int virtual_key, bool down);
  void SetShellRefusal(ShellRefusal refusal) { refusal_ = refusal; }
  void QueueAnswer(BoxAnswer answer) { answers_.push_back(answer); }
  void SetExecutableDir(AnsiString dir) { exe_dir_ = std::move(dir); }
  [[nodiscard]] MemoryHive& Hive() { return hive_; }
  [[nodiscard]] SimWeb& WebPages() { return web_; }

  // Called when the program is idle at top level and the clock has caught up with the
  // script: the driver reads its next command here.
  void SetIdleHook(std::function<void()> hook) { idle_hook_ = std::move(hook); }
  // While busy() says work is under way outside the simulation (network replies), the
  // idle program waits for it in real time, at most max_wait, before the script goes on.
  void SetOutsideWork(std::function<bool()> busy, std::chrono::milliseconds max_wait) {
    outside_busy_ = std::move(busy), outside_max_wait_ = max_wait;
  }
  // Lets the loop run until the clock has advanced by ms (with no idle hook involved).
  void WaitFor(std::int64_t ms) { horizon_ = NowMs() + ms; }
  // Runs the attached application's loop until ms of virtual time have passed and nothing
  // is left to do; for tests that drive the program without a script.
  void Settle(std::int64_t ms = 0);

  // Transcript lines go to the sink as they happen and are kept.
  void SetSink(std::function<void(const std::string&)> sink) { sink_ = std::move(sink); }
  void Record(const JsonObject& event);
  [[nodiscard]] const std::vector<std::string>& Transcript() const { return transcript_; }
  [[nodiscard]] const std::map<IconKey, NOTIFYICONDATAA>& Icons() const { return icons_; }
  [[nodiscard]] TApplication* Application() const { return application_; }
  [[nodiscard]] std::size_t PendingAnswers() const { return answers_.size(); }

  // Desktop
  void Attach(TApplication* application) override;
  std::int64_t NowMs() override { return now_ms_; }
  std::int64_t UnixSeconds() override { return unix_base_ + now_ms_ / 1000; }
  void Idle(std::optional<std::int64_t> deadline_ms) override;
  void Wake() override;
  bool NotifyIcon(DWORD operation, const NOTIFYICONDATAA& record) override;
  int ShowBox(const BoxRequest& request, ModalPump& pump) override;
  void ShellExecute(const AnsiString& operation, const AnsiString& file, int show) override;
  int ScreenWidth() override { return screen_width_; }
  int ScreenHeight() override { return screen_height_; }
  WindowFrame FrameOf() override { return kFrame; }
  POINT CursorPos() override { return cursor_; }
  short KeyState(int virtual_key) override;
  AnsiString ExecutableDir() override { return exe_dir_; }
  RegistryHive& Registry() override { return hive_; }
  Fetcher& Web() override { return web_; }
  void WindowShown(const std::string& name, int show_command) override;
  void ForegroundSet(const std::string& name) override;
  void MenuPopped(const std::string& menu, int x, int y) override;
  void BrowserNavigating(const std::string& browser, const std::string& url, int tag) override;
  void BrowserCompleted(const std::string& browser, const std::string& url, bool top) override;
  void AcceleratorOffered(const MSG& message) override;

  // The frame of every window on this desktop: a 3-pixel border and a 22-pixel caption.
  static constexpr WindowFrame kFrame{3, 22};

 private:
  std::int64_t now_ms_ = 0;
  std::int64_t unix_base_ = 1'700'000'000;
  std::optional<std::int64_t> horizon_;
  int box_depth_ = 0;
  int screen_width_ = 1366;
  int screen_height_ = 768;
  POINT cursor_{1300, 740};
  std::map<int, bool> keys_down_;
  ShellRefusal refusal_ = ShellRefusal::srNone;
  std::deque<BoxAnswer> answers_;
  AnsiString exe_dir_;
  std::map<IconKey, NOTIFYICONDATAA> icons_;
  MemoryHive hive_;
  SimWeb web_;
  TApplication* application_ = nullptr;
  std::function<void()> idle_hook_;
  std::function<bool()> outside_busy_;
  std::chrono::milliseconds outside_max_wait_{0};
  std::mutex wake_mutex_;
  std::condition_variable wake_signal_;
  bool woken_ = false;
  std::function<void(const std::string&)> sink_;
  std::vector<std::string> transcript_;
};

// The record as the transcript shows it.
[[nodiscard]] JsonObject NotifyRecordJson(const NOTIFYICONDATAA& record);
