#include "tray/trayicon.h"

#include "platform/application.h"
#include "platform/forms.h"

void TTrayIcon::TrayCallback(LPARAM Event) {
  // The shell's callback carries no position, so the cursor is read when it is handled.
  POINT cursor;
  App().Api().GetCursorPos(&cursor);
  TShiftState shift = ShiftState();
  const auto with = [shift](bool TShiftState::*button) {
    TShiftState pressed = shift;
    pressed.*button = true;
    return pressed;
  };
  switch (Event) {
    case WM_MOUSEMOVE:
      // Mouse moves, like clicks, are passed on only while a click handler is assigned.
      if (OnClick) DoMouseMove(shift, cursor.x, cursor.y);
      break;
    case WM_LBUTTONDOWN:
      DoMouseDown(TMouseButton::mbLeft, with(&TShiftState::ssLeft), cursor.x, cursor.y);
      break;
    case WM_LBUTTONUP:
      if (OnClick) DoClick();
      DoMouseUp(TMouseButton::mbLeft, with(&TShiftState::ssLeft), cursor.x, cursor.y);
      RestoreOrMenuOn(TTrayIconMessage::imLeftClickUp);
      break;
    case WM_LBUTTONDBLCLK:
      DoDblClick();
      RestoreOrMenuOn(TTrayIconMessage::imLeftDoubleClick);
      break;
    case WM_RBUTTONDOWN:
      DoMouseDown(TMouseButton::mbRight, with(&TShiftState::ssRight), cursor.x, cursor.y);
      break;
    case WM_RBUTTONUP:
      DoMouseUp(TMouseButton::mbRight, with(&TShiftState::ssRight), cursor.x, cursor.y);
      RestoreOrMenuOn(TTrayIconMessage::imRightClickUp);
      break;
    case WM_RBUTTONDBLCLK:
      DoDblClick();
      RestoreOrMenuOn(TTrayIconMessage::imRightDoubleClick);
      break;
    case WM_MBUTTONDOWN:
      DoMouseDown(TMouseButton::mbMiddle, with(&TShiftState::ssMiddle), cursor.x, cursor.y);
      break;
    case WM_MBUTTONUP:
      DoMouseUp(TMouseButton::mbMiddle, with(&TShiftState::ssMiddle), cursor.x, cursor.y);
      break;
    case WM_MBUTTONDBLCLK:
      DoDblClick();
      break;
    case NIN_BALLOONUSERCLICK:
      Restore();
      break;
    default:
      // The balloon's other notices (shown, hidden, timed out) need nothing.
      break;
  }
}

void TTrayIcon::RestoreOrMenuOn(TTrayIconMessage gesture) {
  if (RestoreOn == gesture) Restore();
  if (PopupMenuOn == gesture) ShowMenu();
}

void TTrayIcon::DoClick() {
  RestoreOrMenuOn(TTrayIconMessage::imClick);
  if (OnClick) OnClick(this);
}

void TTrayIcon::DoDblClick() {
  RestoreOrMenuOn(TTrayIconMessage::imDoubleClick);
  if (OnDblClick) OnDblClick(this);
}

void TTrayIcon::DoMouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TTrayIcon::DoMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  RestoreOrMenuOn(TTrayIconMessage::imMouseDown);
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TTrayIcon::DoMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  RestoreOrMenuOn(TTrayIconMessage::imMouseUp);
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

TShiftState TTrayIcon::ShiftState() const {
  TWinApi& api = App().Api();
  TShiftState shift;
  // A key is down when the high bit of its state is set, which makes the state negative.
  shift.ssShift = api.GetKeyState(VK_SHIFT) < 0;
  shift.ssCtrl = api.GetKeyState(VK_CONTROL) < 0;
  shift.ssAlt = api.GetKeyState(VK_MENU) < 0;
  return shift;
}

void TTrayIcon::ShowMenu() {
  if (!PopupMenu) return;
  POINT cursor;
  App().Api().GetCursorPos(&cursor);
  // The menu only closes on a click elsewhere when its owner's window is in front.
  const TForm* active = App().Screen().ActiveForm();
  if (active && active->Handle() != 0) App().Api().SetForegroundWindow(active->Handle());
  PopupMenu->Popup(cursor.x, cursor.y);
}
