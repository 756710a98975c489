// Placeholder bodies until the account store lands.
#include "app/Unit1.h"
void TForm1::LoadAccount() {}
void TForm1::SaveAccount(const AnsiString&, const AnsiString&, const AnsiString&) {}
void TForm1::ApplyAccount() {}
void TForm1::N3Click(TObject*) {}
