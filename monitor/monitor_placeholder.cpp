// Placeholder bodies until the monitor lands.
#include "app/Unit1.h"
void TForm1::CppWebBrowser2DocumentComplete(TObject*, IDispatch*, const WideString&) {}
void TForm1::ApplicationEvents1Minimize(TObject*) {}
void TForm1::TrayIcon1Minimize(TObject*) {}
void TForm1::TrayIcon1Restore(TObject*) {}
void TForm1::Timer1Timer(TObject*) {}
void TForm1::Timer2Timer(TObject*) {}
void TForm1::N1Click(TObject*) {}
void TForm1::N2Click(TObject*) {}
void TForm1::ApplicationEvents1Message(MSG&, bool&) {}
AnsiString TForm1::AccessPageField(TCppWebBrowser*, const AnsiString&, const AnsiString&) { return {}; }
