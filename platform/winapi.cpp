#include "platform/winapi.h"

#include "platform/application.h"

BOOL TWinApi::Shell_NotifyIconA(DWORD dwMessage, NOTIFYICONDATAA* lpData) {
  return lpData && application_.desktop().NotifyIcon(dwMessage, *lpData) ? 1 : 0;
}

BOOL TWinApi::ShowWindow(HWND hWnd, int nCmdShow) {
  TMessageLoop& loop = application_.Loop();
  if (!loop.IsWindow(hWnd)) return 0;
  loop.SendMessage(hWnd, WM_VOR_SHOWWINDOW, static_cast<WPARAM>(nCmdShow));
  application_.desktop().WindowShown(loop.NameOf(hWnd), nCmdShow);
  return 1;
}

BOOL TWinApi::SetForegroundWindow(HWND hWnd) {
  TMessageLoop& loop = application_.Loop();
  if (!loop.IsWindow(hWnd)) return 0;
  application_.desktop().ForegroundSet(loop.NameOf(hWnd));
  return 1;
}

BOOL TWinApi::GetCursorPos(POINT* lpPoint) {
  if (!lpPoint) return 0;
  *lpPoint = application_.desktop().CursorPos();
  return 1;
}

short TWinApi::GetKeyState(int nVirtKey) { return application_.desktop().KeyState(nVirtKey); }

int TWinApi::MessageBoxA(HWND, const AnsiString& lpText, const AnsiString& lpCaption, UINT uType) {
  return application_.MessageBox(lpText, lpCaption, uType);
}

void TWinApi::ShellExecuteA(HWND, const AnsiString& lpOperation, const AnsiString& lpFile, const AnsiString&,
                            const AnsiString&, int nShowCmd) {
  application_.desktop().ShellExecute(lpOperation, lpFile, nShowCmd);
}

HRESULT TWinApi::OleInitialize(void*) { return S_OK; }

std::int64_t TWinApi::time() { return application_.desktop().UnixSeconds(); }
