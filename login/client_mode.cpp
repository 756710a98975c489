// After login the window stops being a login box and becomes the host of the service's
// web client, which fills it.

#include <initializer_list>

#include "app/Unit1.h"

void TForm1::EnterClientMode() {
  Caption = "翔羚vor";
  sLabel3->Visible = false;
  CppWebBrowser2->Width = 0;
  for (TControl* control :
       std::initializer_list<TControl*>{sBitBtn1, sCheckBox1, sCheckBox2, sEdit1, sEdit2, sLabel1, sLabel2}) {
    control->Visible = false;
  }
  // The platform's alignment is plain storage, so the bounds are set to the client area
  // as well; the banner picture stays where it is, covered by the browser.
  CppWebBrowser1->Align = TAlign::alClient;
  CppWebBrowser1->Left = 0;
  CppWebBrowser1->Top = 0;
  CppWebBrowser1->Width = ClientWidth;
  CppWebBrowser1->Height = ClientHeight;
  BorderIcons.biMinimize = true;
  App().Api().ShowWindow(Handle(), SW_SHOWMAXIMIZED);
  Timer2->SetEnabled(true);
}
