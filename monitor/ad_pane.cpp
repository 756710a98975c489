// The advertisement pane over the login window's banner: once the service's advertisement
// page has loaded, the pane takes the banner's place.

#include "app/Unit1.h"

void TForm1::CppWebBrowser2DocumentComplete(TObject*, IDispatch* pDisp, const WideString&) {
  // Frames of the page finish first; only the page's own completion means it is all there.
  if (pDisp != CppWebBrowser2->DefaultDispatch()) return;
  try {
    sLabel3->Caption = "";
    CppWebBrowser2->Width = 289;
    Image1->Visible = false;
  } catch (const Exception& error) {
    // The pane is decoration: a failure shows in the status line and nothing more.
    sLabel3->Caption = error.Message();
  }
}
