#pragma once
// The application object: the message loop, the application window with its hooks, the
// main form, minimize and restore, and the boxes the application shows.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes.h"
#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/exceptions.h"
#include "platform/message_loop.h"
#include "platform/winapi.h"

class TForm;
class TApplicationEvents;

// Shows the window message to a hook before the application handles it; true stops it.
using TWindowHook = std::function<bool(TMessage& Message)>;

class TScreen final {
 public:
  explicit TScreen(TApplication& application) : application_(application) {}
  [[nodiscard]] int Width() const;
  [[nodiscard]] int Height() const;
  // The form the user works with, or null when there is none.
  [[nodiscard]] TForm* ActiveForm() const;

 private:
  TApplication& application_;
};

class TApplication final : public TComponent, private ModalPump {
 public:
  explicit TApplication(Desktop& desktop);
  ~TApplication() override;

  [[nodiscard]] Desktop& desktop() const { return desktop_; }
  [[nodiscard]] TMessageLoop& Loop() { return loop_; }
  [[nodiscard]] TWinApi& Api() { return api_; }
  [[nodiscard]] TScreen& Screen() { return screen_; }

  AnsiString Title = "vor";
  TIcon Icon;

  void Initialize();
  // Creates a form owned by the application; the first one becomes the main form. OnCreate
  // follows the constructor.
  template <class Form>
  void CreateForm(Form*& reference) {
    reference = new Form(this);
    if (!main_form_) main_form_ = reference;
    reference->AfterConstruction();
  }
  [[nodiscard]] TForm* MainForm() const { return main_form_; }

  // Shows the main form and handles messages until Terminate.
  void Run();
  void Terminate();
  [[nodiscard]] bool Terminated() const { return terminated_; }
  // Handles one message, or waits for one when there is none.
  void HandleMessage();
  // Handles what is pending now, without waiting.
  void ProcessMessages();

  void Minimize();
  void Restore();
  [[nodiscard]] bool Minimized() const { return minimized_; }
  [[nodiscard]] bool WindowVisible() const { return window_visible_; }
  // The application window, which carries the taskbar button.
  [[nodiscard]] HWND Handle() const { return handle_; }
  void HookMainWindow(const void* owner, TWindowHook hook);
  void UnhookMainWindow(const void* owner);

  int MessageBox(const AnsiString& Text, const AnsiString& Caption, UINT Flags);
  void ShowMessage(const AnsiString& Text);
  // The standard error box.
  void ShowException(const Exception& E);
  // Runs an event handler the way the platform dispatches events: an exception of the
  // platform's family ends only that handler and is reported in the standard error box.
  void Dispatch(const std::function<void()>& handler);

  void AddEvents(TApplicationEvents* events);
  void RemoveEvents(TApplicationEvents* events);

  // Application window messages after the hooks have seen them.
  void WndProc(TMessage& Message);
  // Keeps the window visibility that ShowWindow reports for the application window.
  void SetWindowVisible(bool visible) { window_visible_ = visible; }

 private:
  void RunFor(std::int64_t ms) override;
  bool ProcessMessage();
  int ShowBox(BoxKind kind, const AnsiString& text, const AnsiString& caption, UINT style);

  Desktop& desktop_;
  TMessageLoop loop_;
  TWinApi api_;
  TScreen screen_;
  HWND handle_ = 0;
  TForm* main_form_ = nullptr;
  bool terminated_ = false;
  bool minimized_ = false;
  bool window_visible_ = true;
  std::vector<std::pair<const void*, TWindowHook>> hooks_;
  std::vector<TApplicationEvents*> events_;
};

// Hooks the program onto application-wide events.
class TApplicationEvents final : public TComponent {
 public:
  explicit TApplicationEvents(TComponent* AOwner);
  ~TApplicationEvents() override;

  std::function<void(MSG& Msg, bool& Handled)> OnMessage;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
};
