#pragma once
// The program's one window: the login layout, and after login the host of the service's
// web client. The handlers live with their subsystems (login/, settings/, monitor/); this
// header declares them all.

#include "platform/application.h"
#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "tray/trayicon.h"

class TForm1 final : public TForm {
 public:
  explicit TForm1(TComponent* Owner);
  ~TForm1() override;

  // Controls and components, created from the window's stored layout.
  TImage* Image1 = nullptr;
  TCppWebBrowser* CppWebBrowser2 = nullptr;
  TCppWebBrowser* CppWebBrowser1 = nullptr;
  TsLabel* sLabel1 = nullptr;
  TsEdit* sEdit1 = nullptr;
  TsLabel* sLabel2 = nullptr;
  TsEdit* sEdit2 = nullptr;
  TsCheckBox* sCheckBox1 = nullptr;
  TsCheckBox* sCheckBox2 = nullptr;
  TsLabel* sLabel3 = nullptr;
  TsBitBtn* sBitBtn1 = nullptr;
  TTrayIcon* TrayIcon1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* N3 = nullptr;
  TMenuItem* N2 = nullptr;
  TImageList* ImageList1 = nullptr;
  TTimer* Timer1 = nullptr;
  TTimer* Timer2 = nullptr;
  TApplicationEvents* ApplicationEvents1 = nullptr;
  TsSkinManager* sSkinManager1 = nullptr;

  // Window (app/Unit1.cpp).
  void FormCreate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  // Login sequence (login/).
  void CppWebBrowser1DocumentComplete(TObject* Sender, IDispatch* pDisp, const WideString& URL);
  void sBitBtn1Click(TObject* Sender);
  // Advertisement pane (monitor/).
  void CppWebBrowser2DocumentComplete(TObject* Sender, IDispatch* pDisp, const WideString& URL);
  // Notifier and exit watch (monitor/).
  void ApplicationEvents1Minimize(TObject* Sender);
  void TrayIcon1Minimize(TObject* Sender);
  void TrayIcon1Restore(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void Timer2Timer(TObject* Sender);
  // Tray menu, About box and keyboard forwarding (monitor/), cancelling the automatic
  // login (settings/).
  void N1Click(TObject* Sender);
  void N2Click(TObject* Sender);
  void N3Click(TObject* Sender);
  void ApplicationEvents1Message(MSG& Msg, bool& Handled);

 private:
  friend class FormInspector;  // the simulated desktop's driver reads the window's state

  // Builds the controls and components as the stored layout describes them.
  void ReadLayout();

  // Service requests (login/).
  void RequestNonce();
  void SendLoginRequest();
  // Login sequence (login/).
  [[nodiscard]] AnsiString GetPageText();
  void EnterClientMode();
  // Account store (settings/).
  void LoadAccount();
  void SaveAccount(const AnsiString& userId, const AnsiString& password, const AnsiString& autoRun);
  void ApplyAccount();
  // Page fields (monitor/).
  [[nodiscard]] AnsiString AccessPageField(TCppWebBrowser* browser, const AnsiString& fieldId,
                                           const AnsiString& newValue);

  AnsiString FVersion;
  AnsiString FNonce;
  AnsiString FSavedUserId;
  AnsiString FSavedPassword;
  AnsiString FAutoRun;
  int FCloseMode = 0;
  IOleInPlaceActiveObject* FActiveObject = nullptr;
};
