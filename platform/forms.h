#pragma once
// The form: a top-level window with a caption, a client area, border icons and a window
// state, that asks before it closes.

#include <functional>

#include "platform/classes.h"
#include "platform/controls.h"
#include "platform/windows.h"

struct TBorderIcons {
  bool biSystemMenu = true;
  bool biMinimize = true;
  bool biMaximize = true;
};

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TComponent {
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  AnsiString Caption;
  int Left = 0;
  int Top = 0;
  int ClientWidth = 0;
  int ClientHeight = 0;
  TColor Color = clBtnFace;
  TBorderIcons BorderIcons;
  bool Visible = false;
  TWindowState WindowState = TWindowState::wsNormal;

  TNotifyEvent OnCreate;
  TCloseQueryEvent OnCloseQuery;

  // The outer size: the client area with the desktop's border and caption.
  [[nodiscard]] int Width() const;
  [[nodiscard]] int Height() const;
  [[nodiscard]] HWND Handle() const { return handle_; }

  // Raises OnCreate; the application calls it once the constructor has returned.
  void AfterConstruction();
  void Show();
  // Asks OnCloseQuery; when the close goes ahead, the main form ends the application.
  void Close();
  [[nodiscard]] bool CloseQuery();

 private:
  void WndProc(TMessage& message);
  HWND handle_ = 0;
};
