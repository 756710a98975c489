// The exit watch: the web client page can ask the program to quit through its
// "client_exit" field, and the program then closes without asking the user.

#include "app/Unit1.h"
#include "monitor/marker_value.h"

void TForm1::Timer2Timer(TObject*) {
  if (!MarkerRaised(AccessPageField(CppWebBrowser1, "client_exit", "0"))) return;
  // The close query lets mode 2 through without its question.
  FCloseMode = 2;
  Close();
}
