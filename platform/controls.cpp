#include "platform/controls.h"

#include "platform/application.h"

void TImageList::GetIcon(int Index, TIcon& Image) const {
  Image.Handle = Index >= 0 && Index < Count() ? pictures_[static_cast<std::size_t>(Index)] : 0;
}

void TPopupMenu::Popup(int X, int Y) { App().desktop().MenuPopped(std::string(Name.bytes()), X, Y); }

TTimer::TTimer(TComponent* AOwner) : TTimer(AOwner, AOwner->App().Loop()) {}

TTimer::TTimer(TComponent* AOwner, TMessageLoop& loop) : TComponent(AOwner), loop_(loop) {
  window_ = loop_.AllocateHWnd("timer", [this](TMessage& message) {
    if (message.Msg == WM_TIMER && OnTimer) OnTimer(this);
  });
  Rearm();
}

TTimer::~TTimer() { loop_.DeallocateHWnd(window_); }

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Rearm();
}

void TTimer::SetInterval(UINT value) {
  if (value == interval_) return;
  interval_ = value;
  Rearm();
}

void TTimer::Rearm() {
  loop_.KillTimer(window_, 1);
  if (enabled_ && interval_ != 0) loop_.SetTimer(window_, 1, interval_);
}
