#include "platform/message_loop.h"

#include <algorithm>

TMessageLoop::TMessageLoop(Desktop& desktop) : desktop_(desktop) {
  task_window_ = AllocateHWnd("tasks", [this](TMessage&) {});
}

HWND TMessageLoop::AllocateHWnd(std::string name, WndProc procedure) {
  const HWND handle = next_handle_++;
  windows_[handle] = Window{std::move(name), std::move(procedure)};
  return handle;
}

void TMessageLoop::DeallocateHWnd(HWND window) {
  windows_.erase(window);
  std::erase_if(timers_, [window](const Timer& timer) { return timer.window == window; });
  std::erase_if(posted_, [window](const MSG& message) { return message.hwnd == window; });
}

std::string TMessageLoop::NameOf(HWND window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? std::string() : found->second.name;
}

void TMessageLoop::PostMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  MSG queued;
  queued.hwnd = window;
  queued.message = message;
  queued.wParam = wparam;
  queued.lParam = lparam;
  queued.time = static_cast<DWORD>(desktop_.NowMs());
  posted_.push_back(queued);
}

LRESULT TMessageLoop::SendMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto found = windows_.find(window);
  if (found == windows_.end()) return 0;
  TMessage record{message, wparam, lparam, 0};
  // A copy: the procedure may free its own window while it runs.
  const WndProc procedure = found->second.procedure;
  procedure(record);
  return record.Result;
}

void TMessageLoop::PostTask(std::function<void()> task) {
  {
    std::lock_guard lock(foreign_mutex_);
    foreign_.push_back(std::move(task));
  }
  desktop_.Wake();
}

void TMessageLoop::CallAt(std::int64_t deadline_ms, std::function<void()> task) {
  deferred_.push_back(Deferred{deadline_ms, next_order_++, std::move(task)});
}

void TMessageLoop::SetTimer(HWND window, std::uintptr_t id, UINT interval_ms) {
  KillTimer(window, id);
  if (interval_ms == 0) return;
  timers_.push_back(Timer{window, id, interval_ms, desktop_.NowMs() + interval_ms});
}

void TMessageLoop::KillTimer(HWND window, std::uintptr_t id) {
  std::erase_if(timers_, [&](const Timer& timer) { return timer.window == window && timer.id == id; });
}

bool TMessageLoop::PeekMessage(MSG& message) {
  {
    std::lock_guard lock(foreign_mutex_);
    while (!foreign_.empty()) {
      tasks_[next_task_] = std::move(foreign_.front());
      foreign_.pop_front();
      PostMessage(task_window_, WM_VOR_TASK, next_task_++);
    }
  }
  const std::int64_t now = desktop_.NowMs();
  // Deferred work that has come due joins the queue in the order it was scheduled.
  std::vector<Deferred> due;
  std::erase_if(deferred_, [&](Deferred& item) {
    if (item.due > now) return false;
    due.push_back(std::move(item));
    return true;
  });
  std::sort(due.begin(), due.end(), [](const Deferred& a, const Deferred& b) {
    return a.due != b.due ? a.due < b.due : a.order < b.order;
  });
  for (auto& item : due) {
    tasks_[next_task_] = std::move(item.task);
    PostMessage(task_window_, WM_VOR_TASK, next_task_++);
  }
  if (!posted_.empty()) {
    message = posted_.front();
    posted_.pop_front();
    return true;
  }
  // Timers come last and only one tick at a time, as WM_TIMER is synthesised when the
  // queue is empty; a timer that fell behind does not pile up ticks.
  auto earliest = std::min_element(timers_.begin(), timers_.end(),
                                   [](const Timer& a, const Timer& b) { return a.due < b.due; });
  if (earliest != timers_.end() && earliest->due <= now) {
    earliest->due = now + earliest->interval;
    message = MSG{earliest->window, WM_TIMER, earliest->id, 0, static_cast<DWORD>(now), {}};
    return true;
  }
  return false;
}

void TMessageLoop::DispatchMessage(const MSG& message) {
  if (message.hwnd == task_window_ && message.message == WM_VOR_TASK) {
    RunTask(message);
    return;
  }
  SendMessage(message.hwnd, message.message, message.wParam, message.lParam);
}

void TMessageLoop::RunTask(const MSG& message) {
  const auto found = tasks_.find(message.wParam);
  if (found == tasks_.end()) return;
  auto task = std::move(found->second);
  tasks_.erase(found);
  task();
}

std::optional<std::int64_t> TMessageLoop::NextDeadline() const {
  std::optional<std::int64_t> next;
  for (const auto& timer : timers_) {
    if (!next || timer.due < *next) next = timer.due;
  }
  for (const auto& item : deferred_) {
    if (!next || item.due < *next) next = item.due;
  }
  return next;
}

void TMessageLoop::WaitMessage() {
  {
    std::lock_guard lock(foreign_mutex_);
    if (!foreign_.empty()) return;
  }
  desktop_.Idle(NextDeadline());
}
