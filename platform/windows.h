#pragma once
// The Windows-style types, records and constants that the program's code is written with.

#include <cstdint>

using BOOL = int;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HWND = std::uintptr_t;   // 0 is no window
using HICON = std::uintptr_t;  // 0 is no picture
using HRESULT = std::int32_t;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;

struct POINT {
  int x = 0;
  int y = 0;
};

// A window message as a window procedure receives it.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// A message as the message loop takes it from the queue.
struct MSG {
  HWND hwnd = 0;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUERYENDSESSION = 0x0011;
inline constexpr UINT WM_ENDSESSION = 0x0016;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
inline constexpr UINT WM_USER = 0x0400;
// Messages of our own platform, above the range the program uses.
inline constexpr UINT WM_APP = 0x8000;

inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_RESTORE = 0xF120;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_RESTORE = 9;

inline constexpr UINT MB_OK = 0x00;
inline constexpr UINT MB_YESNO = 0x04;
inline constexpr UINT MB_ICONERROR = 0x10;
inline constexpr UINT MB_ICONINFORMATION = 0x40;
inline constexpr int IDOK = 1;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_RIGHT = 0x27;

// The notification-area record in its Windows 2000 layout (488 bytes on the original
// platform): balloon fields, no GUID and no balloon-icon handle.
struct NOTIFYICONDATAA {
  DWORD cbSize = 0;
  HWND hWnd = 0;
  UINT uID = 0;
  UINT uFlags = 0;
  UINT uCallbackMessage = 0;
  HICON hIcon = 0;
  char szTip[128] = {};
  DWORD dwState = 0;
  DWORD dwStateMask = 0;
  char szInfo[256] = {};
  UINT uTimeout = 0;  // shares its place with uVersion in the original layout
  char szInfoTitle[64] = {};
  DWORD dwInfoFlags = 0;
};

inline constexpr DWORD NOTIFYICONDATA_V2_SIZE = 488;
inline constexpr DWORD NIM_ADD = 0;
inline constexpr DWORD NIM_MODIFY = 1;
inline constexpr DWORD NIM_DELETE = 2;
inline constexpr UINT NIF_MESSAGE = 0x01;
inline constexpr UINT NIF_ICON = 0x02;
inline constexpr UINT NIF_TIP = 0x04;
inline constexpr UINT NIF_STATE = 0x08;
inline constexpr UINT NIF_INFO = 0x10;
inline constexpr DWORD NIS_SHAREDICON = 0x02;
inline constexpr DWORD NIIF_INFO = 0x01;
inline constexpr UINT NIN_BALLOONSHOW = WM_USER + 2;
inline constexpr UINT NIN_BALLOONHIDE = WM_USER + 3;
inline constexpr UINT NIN_BALLOONTIMEOUT = WM_USER + 4;
inline constexpr UINT NIN_BALLOONUSERCLICK = WM_USER + 5;
