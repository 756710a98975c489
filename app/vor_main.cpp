#include "app/vor_main.h"

#include "app/Unit1.h"

int VorMain(Desktop& desktop) {
  try {
    TApplication application(desktop);
    application.Initialize();
    TForm1* Form1 = nullptr;
    application.CreateForm(Form1);
    application.Run();
  } catch (const Exception&) {
    // An error that escapes construction or the loop ends the program without a word.
  }
  return 0;
}
