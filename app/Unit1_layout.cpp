// The window's stored layout: every control and component with its settings, as the
// window is read before its constructor's own steps run.

#include "app/Unit1.h"

namespace {

template <class Control>
Control* Place(Control* control, const char* name, int left, int top, int width, int height, int tab_order = -1) {
  control->Name = name;
  control->Left = left;
  control->Top = top;
  control->Width = width;
  control->Height = height;
  control->TabOrder = tab_order;
  return control;
}

template <class Component>
Component* Named(Component* component, const char* name) {
  component->Name = name;
  return component;
}

// The tray picture: one 16 x 16 image, known to the desktop by this handle.
constexpr HICON kTrayPicture = 0x2001;

}  // namespace

void TForm1::ReadLayout() {
  Name = "Form1";
  Caption = "翔羚vor登陆";
  ClientWidth = 305;
  ClientHeight = 222;
  Left = 480;
  Top = 253;
  BorderIcons = TBorderIcons{true, false, false};
  Visible = true;
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnCloseQuery = [this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };

  Image1 = Place(new TImage(this), "Image1", 8, 8, 289, 97);
  CppWebBrowser2 = Place(new TCppWebBrowser(this), "CppWebBrowser2", 8, 8, 0, 97, 6);
  CppWebBrowser1 = Place(new TCppWebBrowser(this), "CppWebBrowser1", 8, 112, 0, 25, 0);
  sLabel1 = Place(new TsLabel(this), "sLabel1", 48, 117, 57, 13);
  sLabel1->Caption = "用户号码";
  sEdit1 = Place(new TsEdit(this), "sEdit1", 112, 112, 121, 21, 2);
  sEdit1->Color = 16774637;
  sLabel2 = Place(new TsLabel(this), "sLabel2", 48, 141, 57, 13);
  sLabel2->Caption = "用户密码";
  sEdit2 = Place(new TsEdit(this), "sEdit2", 112, 136, 121, 21, 3);
  sEdit2->Color = 16774637;
  sEdit2->PasswordChar = '*';
  sCheckBox1 = Place(new TsCheckBox(this), "sCheckBox1", 48, 168, 73, 19, 4);
  sCheckBox1->Caption = "保存号码";
  sCheckBox2 = Place(new TsCheckBox(this), "sCheckBox2", 160, 168, 73, 19, 5);
  sCheckBox2->Caption = "自动登陆";
  sLabel3 = Place(new TsLabel(this), "sLabel3", 16, 200, 193, 13);
  sLabel3->FontColor = clRed;
  sBitBtn1 = Place(new TsBitBtn(this), "sBitBtn1", 224, 192, 75, 25, 1);
  sBitBtn1->Caption = "登陆";

  PopupMenu1 = Named(new TPopupMenu(this), "PopupMenu1");
  N1 = Named(new TMenuItem(this), "N1");
  N1->Caption = "退出";
  N3 = Named(new TMenuItem(this), "N3");
  N3->Caption = "取消自动登陆";
  N2 = Named(new TMenuItem(this), "N2");
  N2->Caption = "关于翔羚vor";
  PopupMenu1->Items = {N1, N3, N2};

  ImageList1 = Named(new TImageList(this), "ImageList1");
  ImageList1->Add(kTrayPicture);

  TrayIcon1 = Named(new TTrayIcon(this), "TrayIcon1");
  TrayIcon1->BeginLoading();
  TrayIcon1->PopupMenu = PopupMenu1;
  TrayIcon1->SetHide(true);
  TrayIcon1->RestoreOn = TTrayIconMessage::imDoubleClick;
  TrayIcon1->PopupMenuOn = TTrayIconMessage::imRightClickUp;
  TrayIcon1->Icons = ImageList1;
  TrayIcon1->SetAnimateInterval(800);
  TrayIcon1->OnMinimize = [this](TObject* Sender) { TrayIcon1Minimize(Sender); };
  TrayIcon1->OnRestore = [this](TObject* Sender) { TrayIcon1Restore(Sender); };

  Timer1 = Named(new TTimer(this), "Timer1");
  Timer1->SetEnabled(false);
  Timer1->OnTimer = [this](TObject* Sender) { Timer1Timer(Sender); };
  Timer2 = Named(new TTimer(this), "Timer2");
  Timer2->SetEnabled(false);
  Timer2->SetInterval(3000);
  Timer2->OnTimer = [this](TObject* Sender) { Timer2Timer(Sender); };

  ApplicationEvents1 = Named(new TApplicationEvents(this), "ApplicationEvents1");
  ApplicationEvents1->OnMessage = [this](MSG& Msg, bool& Handled) { ApplicationEvents1Message(Msg, Handled); };
  ApplicationEvents1->OnMinimize = [this](TObject* Sender) { ApplicationEvents1Minimize(Sender); };

  sSkinManager1 = Named(new TsSkinManager(this), "sSkinManager1");
  sSkinManager1->SkinName = "Office2010 Blue (internal)";
  sSkinManager1->Active = true;
  sSkinManager1->IconLineSection = "ICOLINE";

  CppWebBrowser1->OnDocumentComplete = [this](TObject* Sender, IDispatch* pDisp, const WideString& URL) {
    CppWebBrowser1DocumentComplete(Sender, pDisp, URL);
  };
  CppWebBrowser2->OnDocumentComplete = [this](TObject* Sender, IDispatch* pDisp, const WideString& URL) {
    CppWebBrowser2DocumentComplete(Sender, pDisp, URL);
  };
  sBitBtn1->OnClick = [this](TObject* Sender) { sBitBtn1Click(Sender); };
  N1->OnClick = [this](TObject* Sender) { N1Click(Sender); };
  N2->OnClick = [this](TObject* Sender) { N2Click(Sender); };
  N3->OnClick = [this](TObject* Sender) { N3Click(Sender); };

  // Reading is over: components settle what their settings imply.
  TrayIcon1->EndLoading();
}
