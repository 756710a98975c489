#pragma once
// The notification-area icon component: one icon in the tray with its menu, gestures,
// balloon tips and animation, and minimizing the application to the tray.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/classes.h"
#include "platform/controls.h"
#include "platform/windows.h"

enum class TTrayIconMessage : std::uint8_t {
  imClick,
  imDoubleClick,
  imMouseDown,
  imMouseUp,
  imLeftClickUp,
  imLeftDoubleClick,
  imRightClickUp,
  imRightDoubleClick,
  imNone,
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

struct TShiftState {
  bool ssShift = false;
  bool ssAlt = false;
  bool ssCtrl = false;
  bool ssLeft = false;
  bool ssRight = false;
  bool ssMiddle = false;
  bool ssDouble = false;
  friend bool operator==(const TShiftState&, const TShiftState&) = default;
};

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

class TTrayIcon : public TComponent {
 public:
  explicit TTrayIcon(TComponent* AOwner);
  ~TTrayIcon() override;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Published properties.
  [[nodiscard]] bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  [[nodiscard]] const AnsiString& Hint() const { return FHint; }
  void SetHint(const AnsiString& Value);
  [[nodiscard]] bool Hide() const { return FHide; }
  void SetHide(bool Value);
  TPopupMenu* PopupMenu = nullptr;
  TTrayIconMessage RestoreOn = TTrayIconMessage::imDoubleClick;
  TTrayIconMessage PopupMenuOn = TTrayIconMessage::imNone;
  TImageList* Icons = nullptr;
  [[nodiscard]] int IconIndex() const { return FIconIndex; }
  virtual void SetIconIndex(int Value);
  [[nodiscard]] int GetAnimateInterval() const;
  void SetAnimateInterval(int Value);
  [[nodiscard]] bool GetAnimate() const { return FAnimate; }
  void SetAnimate(bool Value);
  [[nodiscard]] HWND GetHandle() const { return FData.hWnd; }

  // Events, raised only when assigned, with the component as Sender.
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnAnimate;

  virtual void SetDefaultIcon();
  // Sends the record to the shell as a change while the icon is in the tray.
  virtual void Update();
  virtual void ShowBalloon(const AnsiString& Title, const AnsiString& Text, const TIcon& Icon);
  virtual void Minimize();
  virtual void Restore();
  virtual void ShowMenu();
  // Takes the icon out of the tray and nothing else.
  void EndSession();

  // The record the shell last received or will receive; read-only for inspection.
  [[nodiscard]] const NOTIFYICONDATAA& Record() const { return FData; }
  [[nodiscard]] HICON CurrentIconHandle() const { return FIcon.Handle; }
  [[nodiscard]] bool AnimationTimerEnabled() const;

 protected:
  virtual void DoMessage(TMessage& Message);
  virtual void DoClick();
  virtual void DoDblClick();
  virtual void DoMouseMove(TShiftState Shift, int X, int Y);
  virtual void DoMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DoMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DoOnAnimate(TObject* Sender);
  bool ApplicationHookProc(TMessage& Message);
  [[nodiscard]] TShiftState ShiftState() const;

 private:
  // The shell's callback for this icon; Event is the mouse message or balloon notice.
  void TrayCallback(LPARAM Event);
  // Restores the window and then shows the menu, each when it is set to follow gesture.
  void RestoreOrMenuOn(TTrayIconMessage gesture);
  void InstallHook();
  void RemoveHook();

  NOTIFYICONDATAA FData;
  TIcon FIcon;
  std::unique_ptr<TTimer> FTimer;
  AnsiString FHint;
  int FIconIndex = 0;
  bool FVisible = false;
  bool FHide = true;
  bool FAnimate = false;
  bool FHooked = false;
};
