// Placeholder bodies until the login sequence lands.
#include "app/Unit1.h"
void TForm1::CppWebBrowser1DocumentComplete(TObject*, IDispatch*, const WideString&) {}
void TForm1::sBitBtn1Click(TObject*) {}
AnsiString TForm1::GetPageText() { return {}; }
void TForm1::EnterClientMode() {}
void TForm1::RequestNonce() {}
void TForm1::SendLoginRequest() {}
