// Placeholder bodies until the tray component lands.
#include "tray/trayicon.h"
#include "platform/application.h"
TTrayIcon::TTrayIcon(TComponent* AOwner) : TComponent(AOwner) {}
TTrayIcon::~TTrayIcon() = default;
void TTrayIcon::Loaded() { TComponent::Loaded(); }
void TTrayIcon::Notification(TComponent* c, TOperation o) { TComponent::Notification(c, o); }
void TTrayIcon::SetVisible(bool v) { FVisible = v; }
void TTrayIcon::SetHint(const AnsiString&) {}
void TTrayIcon::SetHide(bool v) { FHide = v; }
void TTrayIcon::SetIconIndex(int v) { FIconIndex = v; }
int TTrayIcon::GetAnimateInterval() const { return 0; }
void TTrayIcon::SetAnimateInterval(int) {}
void TTrayIcon::SetAnimate(bool) {}
void TTrayIcon::SetDefaultIcon() {}
void TTrayIcon::Update() {}
void TTrayIcon::ShowBalloon(const AnsiString&, const AnsiString&, const TIcon&) {}
void TTrayIcon::Minimize() {}
void TTrayIcon::Restore() {}
void TTrayIcon::ShowMenu() {}
void TTrayIcon::EndSession() {}
bool TTrayIcon::AnimationTimerEnabled() const { return false; }
void TTrayIcon::DoMessage(TMessage&) {}
void TTrayIcon::DoClick() {}
void TTrayIcon::DoDblClick() {}
void TTrayIcon::DoMouseMove(TShiftState, int, int) {}
void TTrayIcon::DoMouseDown(TMouseButton, TShiftState, int, int) {}
void TTrayIcon::DoMouseUp(TMouseButton, TShiftState, int, int) {}
void TTrayIcon::DoOnAnimate(TObject*) {}
bool TTrayIcon::ApplicationHookProc(TMessage&) { return false; }
TShiftState TTrayIcon::ShiftState() const { return {}; }
