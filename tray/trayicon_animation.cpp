#include "tray/trayicon.h"

int TTrayIcon::GetAnimateInterval() const { return static_cast<int>(FTimer->Interval()); }

void TTrayIcon::SetAnimateInterval(int Value) { FTimer->SetInterval(static_cast<UINT>(Value)); }

void TTrayIcon::SetAnimate(bool Value) {
  // A stored layout may set Animate before Icons; Loaded settles it once both are read.
  if (Icons || ComponentState().csLoading) FAnimate = Value;
  if (Icons) FTimer->SetEnabled(Value);
}

bool TTrayIcon::AnimationTimerEnabled() const { return FTimer->Enabled(); }

void TTrayIcon::DoOnAnimate(TObject*) {
  // Icons is a plain field: a caller may clear it while the timer runs.
  if (!Icons) return;
  // Compared before adding, so that no index can overflow.
  const int next = FIconIndex < Icons->Count() - 1 ? FIconIndex + 1 : 0;
  SetIconIndex(next);
  // The step is sent twice, once by SetIconIndex and once here.
  Update();
}
