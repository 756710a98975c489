#include "platform/sim/sim_desktop.h"

#include <cstring>

#include "platform/application.h"

namespace {

std::string FieldText(const char* field, std::size_t size) {
  return AnsiToUtf8(AnsiString(field, strnlen(field, size)));
}

const char* ButtonName(int button) {
  switch (button) {
    case IDYES:
      return "yes";
    case IDNO:
      return "no";
    default:
      return "ok";
  }
}

}  // namespace

JsonObject NotifyRecordJson(const NOTIFYICONDATAA& record) {
  JsonObject json;
  json.Add("cbSize", record.cbSize)
      .Add("uFlags", record.uFlags)
      .Add("uCallbackMessage", record.uCallbackMessage)
      .Add("hIcon", static_cast<std::int64_t>(record.hIcon))
      .Add("dwState", record.dwState)
      .Add("dwStateMask", record.dwStateMask)
      .Add("szTip", FieldText(record.szTip, sizeof record.szTip))
      .Add("szInfo", FieldText(record.szInfo, sizeof record.szInfo))
      .Add("szInfoTitle", FieldText(record.szInfoTitle, sizeof record.szInfoTitle))
      .Add("dwInfoFlags", record.dwInfoFlags)
      .Add("uTimeout", record.uTimeout);
  return json;
}

SimDesktop::SimDesktop() = default;

void SimDesktop::SetClock(std::int64_t unix_seconds) { unix_base_ = unix_seconds - now_ms_ / 1000; }

void SimDesktop::SetKeyDown(int virtual_key, bool down) { keys_down_[virtual_key] = down; }

short SimDesktop::KeyState(int virtual_key) {
  const auto found = keys_down_.find(virtual_key);
  return found != keys_down_.end() && found->second ? static_cast<short>(0x8000) : 0;
}

void SimDesktop::Attach(TApplication* application) {
  application_ = application;
  web_.SetLoop(application ? &application->Loop() : nullptr);
}

void SimDesktop::Idle(std::optional<std::int64_t> deadline_ms) {
  // Inside a box the pump gives its own end as the deadline.
  if (box_depth_ > 0) {
    if (deadline_ms && *deadline_ms > now_ms_) now_ms_ = *deadline_ms;
    return;
  }
  if (horizon_) {
    if (deadline_ms && *deadline_ms <= *horizon_) {
      if (*deadline_ms > now_ms_) now_ms_ = *deadline_ms;
      return;
    }
    now_ms_ = *horizon_;
    horizon_.reset();
    return;
  }
  if (outside_busy_ && outside_busy_()) {
    std::unique_lock lock(wake_mutex_);
    wake_signal_.wait_for(lock, outside_max_wait_, [this] { return woken_; });
    if (woken_) {
      woken_ = false;
      return;
    }
  }
  if (!idle_hook_) throw SimScriptError("the program waits for input and no script drives it");
  idle_hook_();
}

void SimDesktop::Wake() {
  {
    std::lock_guard lock(wake_mutex_);
    woken_ = true;
  }
  wake_signal_.notify_all();
}

void SimDesktop::Settle(std::int64_t ms) {
  if (!application_) throw std::logic_error("no application runs on this desktop");
  TMessageLoop& loop = application_->Loop();
  const std::int64_t end = now_ms_ + ms;
  for (;;) {
    application_->ProcessMessages();
    const auto next = loop.NextDeadline();
    if (!next || *next > end) break;
    if (*next > now_ms_) now_ms_ = *next;
  }
  now_ms_ = end;
  application_->ProcessMessages();
}

void SimDesktop::Record(const JsonObject& event) {
  const std::string line = event.str();
  transcript_.push_back(line);
  if (sink_) sink_(line);
}

bool SimDesktop::NotifyIcon(DWORD operation, const NOTIFYICONDATAA& record) {
  const IconKey key{record.hWnd, record.uID};
  bool ok = false;
  const char* name = "modify";
  switch (operation) {
    case NIM_ADD:
      name = "add";
      ok = refusal_ != ShellRefusal::srAdd && !icons_.contains(key);
      if (ok) icons_[key] = record;
      break;
    case NIM_MODIFY:
      ok = icons_.contains(key);
      if (ok) icons_[key] = record;
      break;
    case NIM_DELETE:
      name = "delete";
      ok = refusal_ != ShellRefusal::srDelete && icons_.erase(key) > 0;
      break;
    default:
      name = "unknown";
      break;
  }
  Record(JsonObject().Add("event", "shell_notify").Add("op", name).Add("ok", ok).Add("record", NotifyRecordJson(record)));
  return ok;
}

int SimDesktop::ShowBox(const BoxRequest& request, ModalPump& pump) {
  JsonObject event;
  switch (request.kind) {
    case BoxKind::bkMessageBox:
      event.Add("event", "messagebox")
          .Add("text", AnsiToUtf8(request.text))
          .Add("caption", AnsiToUtf8(request.caption))
          .Add("style", request.style);
      break;
    case BoxKind::bkShowMessage:
      event.Add("event", "showmessage").Add("text", AnsiToUtf8(request.text));
      break;
    case BoxKind::bkError:
      event.Add("event", "error").Add("text", AnsiToUtf8(request.text));
      break;
  }
  if (answers_.empty()) {
    Record(event.Add("answer", "none"));
    throw SimScriptError("a box opened with no answer queued: " + AnsiToUtf8(request.text));
  }
  const BoxAnswer answer = answers_.front();
  answers_.pop_front();
  Record(event.Add("answer", ButtonName(answer.button)));
  if (answer.after_ms > 0) {
    ++box_depth_;
    try {
      pump.RunFor(answer.after_ms);
    } catch (...) {
      --box_depth_;
      throw;
    }
    --box_depth_;
  }
  return answer.button;
}

void SimDesktop::ShellExecute(const AnsiString& operation, const AnsiString& file, int show) {
  Record(JsonObject()
             .Add("event", "shell_open")
             .Add("operation", AnsiToUtf8(operation))
             .Add("file", AnsiToUtf8(file))
             .Add("show", show));
}

void SimDesktop::WindowShown(const std::string& name, int show_command) {
  Record(JsonObject().Add("event", "show_window").Add("target", name).Add("cmd", show_command));
}

void SimDesktop::ForegroundSet(const std::string& name) {
  Record(JsonObject().Add("event", "foreground").Add("target", name));
}

void SimDesktop::MenuPopped(const std::string& menu, int x, int y) {
  Record(JsonObject().Add("event", "popup").Add("menu", AnsiToUtf8(AnsiString(menu))).Add("x", x).Add("y", y));
}

void SimDesktop::BrowserNavigating(const std::string& browser, const std::string& url, int tag) {
  Record(JsonObject().Add("event", "navigate").Add("browser", browser).Add("url", url).Add("stage", tag));
}

void SimDesktop::BrowserCompleted(const std::string& browser, const std::string& url, bool top) {
  Record(JsonObject().Add("event", "complete").Add("browser", browser).Add("url", url).Add("top", top));
}

void SimDesktop::AcceleratorOffered(const MSG& message) {
  Record(JsonObject()
             .Add("event", "accelerator")
             .Add("message", message.message)
             .Add("wParam", static_cast<std::int64_t>(message.wParam)));
}
