#pragma once
// The seam between the platform layer and the outside world. A backend implements
// Desktop: the simulated desktop for tests and scripted runs, or a real one. The program
// never sees which; main installs one and hands it to the application object.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/text.h"
#include "platform/windows.h"

class Fetcher;
class RegistryHive;
class TApplication;

// Runs the message loop while a modal box is open, so that timers keep ticking.
class ModalPump {
 public:
  virtual ~ModalPump() = default;
  // Processes messages, timers included, for ms of the desktop's time.
  virtual void RunFor(std::int64_t ms) = 0;
};

enum class BoxKind { bkMessageBox, bkShowMessage, bkError };

struct BoxRequest {
  BoxKind kind = BoxKind::bkMessageBox;
  AnsiString text;
  AnsiString caption;
  UINT style = MB_OK;
};

struct WindowFrame {
  int border = 0;   // on each side
  int caption = 0;  // above the client area
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // The application that runs on this desktop, from its construction (null once it is gone).
  virtual void Attach(TApplication* application) = 0;

  // The clock of the message loop (milliseconds, never going back) and the wall clock.
  [[nodiscard]] virtual std::int64_t NowMs() = 0;
  [[nodiscard]] virtual std::int64_t UnixSeconds() = 0;
  // Called by the loop when it has nothing to do. Returns when something may have been
  // posted, or once the clock has reached deadline_ms when one is given.
  virtual void Idle(std::optional<std::int64_t> deadline_ms) = 0;
  // Interrupts Idle; the only member that may be called from any thread.
  virtual void Wake() = 0;

  // The notification area. Returns false when the shell refuses.
  virtual bool NotifyIcon(DWORD operation, const NOTIFYICONDATAA& record) = 0;
  // A modal box; returns the button pressed (IDOK, IDYES, IDNO).
  virtual int ShowBox(const BoxRequest& request, ModalPump& pump) = 0;
  // The shell's action on a file or address (its result is not looked at by the program).
  virtual void ShellExecute(const AnsiString& operation, const AnsiString& file, int show) = 0;

  [[nodiscard]] virtual int ScreenWidth() = 0;
  [[nodiscard]] virtual int ScreenHeight() = 0;
  [[nodiscard]] virtual WindowFrame FrameOf() = 0;
  [[nodiscard]] virtual POINT CursorPos() = 0;
  [[nodiscard]] virtual short KeyState(int virtual_key) = 0;
  // The folder of the running executable, ending with a path separator.
  [[nodiscard]] virtual AnsiString ExecutableDir() = 0;

  [[nodiscard]] virtual RegistryHive& Registry() = 0;
  [[nodiscard]] virtual Fetcher& Web() = 0;

  // What the user sees of windows, menus and the browsers. name is the window's or
  // control's name ("application" for the application window).
  virtual void WindowShown(const std::string& name, int show_command) = 0;
  virtual void ForegroundSet(const std::string& name) = 0;
  virtual void MenuPopped(const std::string& menu, int x, int y) = 0;
  virtual void BrowserNavigating(const std::string& browser, const std::string& url, int tag) = 0;
  virtual void BrowserCompleted(const std::string& browser, const std::string& url, bool top) = 0;
  virtual void AcceleratorOffered(const MSG& message) = 0;
};
