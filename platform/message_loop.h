#pragma once
// The message queue of the GUI thread: window handles with their procedures, posted and
// sent messages, timers that tick as queued messages, and tasks posted by backends.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/windows.h"

using WndProc = std::function<void(TMessage&)>;

// Runs a queued task on the GUI thread (backends post their results this way).
inline constexpr UINT WM_VOR_TASK = WM_APP + 1;

class TMessageLoop final {
 public:
  explicit TMessageLoop(Desktop& desktop);
  TMessageLoop(const TMessageLoop&) = delete;
  TMessageLoop& operator=(const TMessageLoop&) = delete;

  [[nodiscard]] Desktop& desktop() const { return desktop_; }

  // A window that only receives messages, named for what the user sees of it.
  HWND AllocateHWnd(std::string name, WndProc procedure);
  void DeallocateHWnd(HWND window);
  [[nodiscard]] bool IsWindow(HWND window) const { return windows_.contains(window); }
  [[nodiscard]] std::string NameOf(HWND window) const;

  void PostMessage(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
  LRESULT SendMessage(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
  // Queues work for the GUI thread; safe to call from any thread.
  void PostTask(std::function<void()> task);
  // Runs task on the GUI thread once the loop's clock reaches deadline_ms.
  void CallAt(std::int64_t deadline_ms, std::function<void()> task);

  // A timer posts WM_TIMER with its id to the window every interval_ms; an interval of 0
  // never fires. Setting an existing id restarts it.
  void SetTimer(HWND window, std::uintptr_t id, UINT interval_ms);
  void KillTimer(HWND window, std::uintptr_t id);

  // Takes the next message: posted ones first, then due tasks, then due timers.
  [[nodiscard]] bool PeekMessage(MSG& message);
  void DispatchMessage(const MSG& message);
  // Waits in the desktop until something may be there to take.
  void WaitMessage();
  // When the next timer or scheduled task falls due, if any.
  [[nodiscard]] std::optional<std::int64_t> NextDeadline() const;

 private:
  struct Timer {
    HWND window = 0;
    std::uintptr_t id = 0;
    UINT interval = 0;
    std::int64_t due = 0;
  };
  struct Window {
    std::string name;
    WndProc procedure;
  };
  struct Deferred {
    std::int64_t due = 0;
    std::uint64_t order = 0;
    std::function<void()> task;
  };

  void RunTask(const MSG& message);

  Desktop& desktop_;
  HWND task_window_ = 0;
  HWND next_handle_ = 0x100;
  std::map<HWND, Window> windows_;
  std::deque<MSG> posted_;
  std::vector<Timer> timers_;
  std::vector<Deferred> deferred_;
  std::uint64_t next_order_ = 0;
  std::map<std::uint64_t, std::function<void()>> tasks_;
  std::uint64_t next_task_ = 0;

  std::mutex foreign_mutex_;
  std::deque<std::function<void()>> foreign_;  // tasks from other threads
};
