#include "platform/forms.h"

#include "platform/application.h"

TForm::TForm(TComponent* AOwner) : TComponent(AOwner) {
  handle_ = App().Loop().AllocateHWnd("form", [this](TMessage& message) { WndProc(message); });
}

TForm::~TForm() {
  // The controls go first: their events may still point into the form.
  DestroyComponents();
  App().Loop().DeallocateHWnd(handle_);
}

int TForm::Width() const { return ClientWidth + 2 * App().desktop().FrameOf().border; }

int TForm::Height() const {
  const WindowFrame frame = App().desktop().FrameOf();
  return ClientHeight + frame.caption + 2 * frame.border;
}

void TForm::AfterConstruction() {
  if (OnCreate) OnCreate(this);
}

void TForm::Show() { App().Api().ShowWindow(handle_, SW_SHOWNORMAL); }

bool TForm::CloseQuery() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(this, can_close);
  return can_close;
}

void TForm::Close() {
  if (!CloseQuery()) return;
  if (App().MainForm() == this) {
    App().Terminate();
  } else {
    Visible = false;
  }
}

void TForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CLOSE:
      Close();
      break;
    case WM_QUERYENDSESSION:
      message.Result = CloseQuery() ? 1 : 0;
      break;
    case WM_SYSCOMMAND:
      // The main form's minimize and restore are the application's.
      if (App().MainForm() == this && (message.WParam == SC_MINIMIZE || message.WParam == SC_RESTORE)) {
        App().WndProc(message);
      }
      break;
    case WM_VOR_SHOWWINDOW:
      switch (static_cast<int>(message.WParam)) {
        case SW_HIDE:
          Visible = false;
          break;
        case SW_SHOWMAXIMIZED:
          Visible = true;
          WindowState = TWindowState::wsMaximized;
          break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
          WindowState = TWindowState::wsMinimized;
          break;
        case SW_RESTORE:
          Visible = true;
          if (WindowState == TWindowState::wsMinimized) WindowState = TWindowState::wsNormal;
          break;
        default:
          Visible = true;
          break;
      }
      break;
    default:
      break;
  }
}
