#include "tray/trayicon.h"

#include <cstdint>

#include "platform/application.h"
#include "platform/exceptions.h"
#include "tray/record_text.h"

namespace {

// The program's string resources 0 and 5.
constexpr const char* kCannotCreateIcon = "Cannot Create System Shell Notification Icon";
constexpr const char* kCannotRemoveIcon = "Cannot Remove System Shell Notification Icon";

constexpr UINT kBaseFlags = NIF_MESSAGE | NIF_ICON | NIF_STATE | NIF_INFO;
constexpr UINT kTrayCallback = WM_USER + 1;
// A hint must leave room for its terminating zero in the shell's original tooltip field.
constexpr int kHintLimit = 64;

}  // namespace

TTrayIcon::TTrayIcon(TComponent* AOwner) : TComponent(AOwner) {
  FIcon.Assign(App().Icon);
  OnAnimate = [this](TObject* Sender) { DoOnAnimate(Sender); };
  // The timer takes the step that OnAnimate holds now; a handler assigned later does not
  // replace it.
  FTimer = std::make_unique<TTimer>(nullptr, App().Loop());
  FTimer->SetEnabled(false);
  FTimer->OnTimer = OnAnimate;
  FTimer->SetInterval(1000);

  FData = NOTIFYICONDATAA{};
  FData.cbSize = NOTIFYICONDATA_V2_SIZE;
  FData.hWnd = App().Loop().AllocateHWnd("tray", [this](TMessage& Message) { DoMessage(Message); });
  // The shell keys an icon by window and id. The id is the low 32 bits of this instance's
  // address: distinct among live instances, and the window alone already tells them apart.
  FData.uID = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(this));
  FData.hIcon = FIcon.Handle;
  FData.uFlags = kBaseFlags;
  FData.dwState = NIS_SHAREDICON;
  FData.dwInfoFlags = NIIF_INFO;
  FData.uCallbackMessage = kTrayCallback;
  Update();
}

TTrayIcon::~TTrayIcon() {
  // The icon may already be gone (never added, or taken out); the shell's answer does not matter.
  (void)App().Api().Shell_NotifyIconA(NIM_DELETE, &FData);
  App().Loop().DeallocateHWnd(FData.hWnd);
  // The application must never call into a component that no longer exists.
  RemoveHook();
}

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  if (Icons) {
    FTimer->SetEnabled(FAnimate);
    Icons->GetIcon(FIconIndex, FIcon);
  } else {
    FAnimate = false;
    FIcon.Assign(App().Icon);
  }
  Update();
}

void TTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == Icons) {
    Icons = nullptr;
    // The animation steps through the list, so it cannot outlive it.
    FAnimate = false;
    FTimer->SetEnabled(false);
  } else if (AComponent == PopupMenu) {
    PopupMenu = nullptr;
  }
}

void TTrayIcon::SetVisible(bool Value) {
  // The new value stays even when the shell refuses, and every assignment asks the shell.
  FVisible = Value;
  if (Value) {
    if (!App().Api().Shell_NotifyIconA(NIM_ADD, &FData)) throw EOutOfResources(kCannotCreateIcon);
    FHide = true;
    InstallHook();
  } else {
    if (!App().Api().Shell_NotifyIconA(NIM_DELETE, &FData)) throw EOutOfResources(kCannotRemoveIcon);
    FHide = false;
    RemoveHook();
  }
}

void TTrayIcon::SetHint(const AnsiString& Value) {
  if (Value == FHint || Value.Length() >= kHintLimit) return;
  FHint = Value;
  CopyToRecordField(FData.szTip, FHint);
  if (FHint.IsEmpty()) {
    FData.uFlags &= ~NIF_TIP;
  } else {
    FData.uFlags |= NIF_TIP;
  }
  Update();
}

void TTrayIcon::SetHide(bool Value) { FHide = Value; }

void TTrayIcon::SetIconIndex(int Value) {
  FIconIndex = Value;
  if (Icons) Icons->GetIcon(FIconIndex, FIcon);
  Update();
}

void TTrayIcon::SetDefaultIcon() {
  FIcon.Assign(App().Icon);
  Update();
}

void TTrayIcon::Update() {
  FData.hIcon = FIcon.Handle;
  if (FVisible) (void)App().Api().Shell_NotifyIconA(NIM_MODIFY, &FData);
}

void TTrayIcon::EndSession() { (void)App().Api().Shell_NotifyIconA(NIM_DELETE, &FData); }

void TTrayIcon::DoMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_QUERYENDSESSION:
      Message.Result = 1;
      break;
    case WM_ENDSESSION:
      // wParam 0 means the session goes on after all; taking the icon away then would leave
      // a window hidden in the tray with no way back.
      if (Message.WParam != 0) EndSession();
      break;
    case kTrayCallback:
      TrayCallback(Message.LParam);
      break;
    default:
      break;
  }
}

void TTrayIcon::InstallHook() {
  if (FHooked) return;
  App().HookMainWindow(this, [this](TMessage& Message) { return ApplicationHookProc(Message); });
  FHooked = true;
}

void TTrayIcon::RemoveHook() {
  if (!FHooked) return;
  App().UnhookMainWindow(this);
  FHooked = false;
}
