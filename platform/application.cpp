#include "platform/application.h"

#include <algorithm>
#include <exception>

#include "platform/forms.h"

int TScreen::Width() const { return application_.desktop().ScreenWidth(); }

int TScreen::Height() const { return application_.desktop().ScreenHeight(); }

TForm* TScreen::ActiveForm() const { return application_.MainForm(); }

TApplication::TApplication(Desktop& desktop)
    : TComponent(nullptr), desktop_(desktop), loop_(desktop), api_(*this), screen_(*this) {
  Icon.Handle = 0x1000;
  handle_ = loop_.AllocateHWnd("application", [this](TMessage& message) { WndProc(message); });
  desktop_.Attach(this);
}

TApplication::~TApplication() {
  // Forms and their components still reach the application while they go.
  DestroyComponents();
  desktop_.Attach(nullptr);
}

void TApplication::Initialize() {}

void TApplication::Run() {
  if (main_form_ && !terminated_) main_form_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() { terminated_ = true; }

void TApplication::HandleMessage() {
  if (!ProcessMessage()) loop_.WaitMessage();
}

void TApplication::ProcessMessages() {
  while (ProcessMessage()) {
  }
}

bool TApplication::ProcessMessage() {
  MSG message;
  if (!loop_.PeekMessage(message)) return false;
  Dispatch([&] {
    bool handled = false;
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_)) {
      if (events->OnMessage) events->OnMessage(message, handled);
    }
    if (!handled) loop_.DispatchMessage(message);
  });
  return true;
}

void TApplication::RunFor(std::int64_t ms) {
  const std::int64_t end = desktop_.NowMs() + ms;
  while (desktop_.NowMs() < end) {
    if (ProcessMessage()) continue;
    const auto next = loop_.NextDeadline();
    desktop_.Idle(next && *next < end ? *next : end);
  }
  ProcessMessages();
}

void TApplication::Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const Exception& error) {
    ShowException(error);
  } catch (const std::bad_alloc&) {
    ShowException(EOutOfResources("Out of memory"));
  }
}

void TApplication::Minimize() {
  if (minimized_) return;
  minimized_ = true;
  if (main_form_) main_form_->Visible = false;
  for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_)) {
    if (events->OnMinimize) events->OnMinimize(this);
  }
}

void TApplication::Restore() {
  if (!minimized_) return;
  minimized_ = false;
  if (main_form_) main_form_->Visible = true;
  for (TApplicationEvents* events : std::vector<TApplicationEvents*>(events_)) {
    if (events->OnRestore) events->OnRestore(this);
  }
}

void TApplication::HookMainWindow(const void* owner, TWindowHook hook) {
  hooks_.emplace_back(owner, std::move(hook));
}

void TApplication::UnhookMainWindow(const void* owner) {
  std::erase_if(hooks_, [owner](const auto& entry) { return entry.first == owner; });
}

void TApplication::WndProc(TMessage& Message) {
  // A copy: a hook may remove itself or others while it runs.
  for (const auto& [owner, hook] : std::vector(hooks_)) {
    if (hook(Message)) return;
  }
  switch (Message.Msg) {
    case WM_SYSCOMMAND:
      if (Message.WParam == SC_MINIMIZE) Minimize();
      if (Message.WParam == SC_RESTORE) Restore();
      break;
    case WM_VOR_SHOWWINDOW:
      window_visible_ = static_cast<int>(Message.WParam) != SW_HIDE;
      break;
    case WM_QUERYENDSESSION:
      Message.Result = 1;
      break;
    default:
      break;
  }
}

int TApplication::ShowBox(BoxKind kind, const AnsiString& text, const AnsiString& caption, UINT style) {
  return desktop_.ShowBox(BoxRequest{kind, text, caption, style}, *this);
}

int TApplication::MessageBox(const AnsiString& Text, const AnsiString& Caption, UINT Flags) {
  return ShowBox(BoxKind::bkMessageBox, Text, Caption, Flags);
}

void TApplication::ShowMessage(const AnsiString& Text) { ShowBox(BoxKind::bkShowMessage, Text, Title, MB_OK); }

void TApplication::ShowException(const Exception& E) {
  ShowBox(BoxKind::bkError, E.Message(), Title, MB_OK | MB_ICONERROR);
}

void TApplication::AddEvents(TApplicationEvents* events) { events_.push_back(events); }

void TApplication::RemoveEvents(TApplicationEvents* events) { std::erase(events_, events); }

TApplicationEvents::TApplicationEvents(TComponent* AOwner) : TComponent(AOwner) { App().AddEvents(this); }

TApplicationEvents::~TApplicationEvents() { App().RemoveEvents(this); }
