#pragma once
// The controls and non-visual components that the window holds. Most properties are
// plain storage here: the simulated desktop reads them, and nothing reacts to a change.

#include <cstdint>
#include <vector>

#include "platform/classes.h"
#include "platform/windows.h"

class TMessageLoop;

using TColor = std::int32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBtnFace = -16777201;

enum class TAlign { alNone, alClient };

class TControl : public TComponent {
 public:
  using TComponent::TComponent;

  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Visible = true;
  bool Enabled = true;
  TAlign Align = TAlign::alNone;
  int TabOrder = -1;
};

// A picture; the banner of the login window.
class TImage final : public TControl {
 public:
  using TControl::TControl;
};

class TsLabel final : public TControl {
 public:
  using TControl::TControl;
  AnsiString Caption;
  TColor FontColor = clBlack;
};

class TsEdit final : public TControl {
 public:
  using TControl::TControl;
  AnsiString Text;
  char PasswordChar = '\0';
  TColor Color = 0xFFFFFF;
  AnsiString SkinSection = "EDIT";
};

class TsCheckBox final : public TControl {
 public:
  using TControl::TControl;
  AnsiString Caption;
  bool Checked = false;
  AnsiString SkinSection = "CHECKBOX";
};

class TsBitBtn final : public TControl {
 public:
  using TControl::TControl;
  AnsiString Caption;
  AnsiString SkinSection = "BUTTON";
  TNotifyEvent OnClick;
  // What a press of the button does; the caller has checked that the user can reach it.
  void Click() {
    if (OnClick) OnClick(this);
  }
};

// An icon picture, known to the desktop by its handle; 0 is the empty picture.
class TIcon final {
 public:
  HICON Handle = 0;
  void Assign(const TIcon& source) { Handle = source.Handle; }
};

class TImageList final : public TComponent {
 public:
  using TComponent::TComponent;
  int Width = 16;
  int Height = 16;
  // Adds a picture, known by its handle.
  void Add(HICON picture) { pictures_.push_back(picture); }
  [[nodiscard]] int Count() const { return static_cast<int>(pictures_.size()); }
  // An index outside the list gives the empty picture.
  void GetIcon(int Index, TIcon& Image) const;

 private:
  std::vector<HICON> pictures_;
};

class TMenuItem final : public TComponent {
 public:
  using TComponent::TComponent;
  AnsiString Caption;
  bool Enabled = true;
  bool Visible = true;
  TNotifyEvent OnClick;
  void Click() {
    if (OnClick) OnClick(this);
  }
};

class TPopupMenu final : public TComponent {
 public:
  using TComponent::TComponent;
  std::vector<TMenuItem*> Items;
  // Shows the menu at screen coordinates; the user's choice arrives later as a click.
  void Popup(int X, int Y);
};

class TTimer final : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  // A timer without an owner still needs the loop it ticks in.
  TTimer(TComponent* AOwner, TMessageLoop& loop);
  ~TTimer() override;

  [[nodiscard]] bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  [[nodiscard]] UINT Interval() const { return interval_; }
  void SetInterval(UINT value);
  TNotifyEvent OnTimer;

 private:
  void Rearm();
  TMessageLoop& loop_;
  HWND window_ = 0;
  bool enabled_ = true;
  UINT interval_ = 1000;
};

// Holds the look the window is skinned with; the look is all it provides.
class TsSkinManager final : public TComponent {
 public:
  using TComponent::TComponent;
  AnsiString SkinName;
  bool Active = false;
  bool SkinnedMenus = true;
  AnsiString IconLineSection;
};
