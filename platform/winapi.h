#pragma once
// The Windows shell and user calls that the program makes, answered by the desktop that
// the application runs on.

#include <cstdint>

#include "platform/text.h"
#include "platform/windows.h"

class TApplication;

inline constexpr UINT WM_VOR_SHOWWINDOW = 0x8002;  // tells a window how ShowWindow changed it

class TWinApi final {
 public:
  explicit TWinApi(TApplication& application) : application_(application) {}

  BOOL Shell_NotifyIconA(DWORD dwMessage, NOTIFYICONDATAA* lpData);
  BOOL ShowWindow(HWND hWnd, int nCmdShow);
  BOOL SetForegroundWindow(HWND hWnd);
  BOOL GetCursorPos(POINT* lpPoint);
  short GetKeyState(int nVirtKey);
  int MessageBoxA(HWND hWnd, const AnsiString& lpText, const AnsiString& lpCaption, UINT uType);
  void ShellExecuteA(HWND hwnd, const AnsiString& lpOperation, const AnsiString& lpFile,
                     const AnsiString& lpParameters, const AnsiString& lpDirectory, int nShowCmd);
  HRESULT OleInitialize(void* pvReserved);
  // Seconds since 1970-01-01 00:00:00 UTC, as the C library's time() gives them.
  [[nodiscard]] std::int64_t time();

 private:
  TApplication& application_;
};
