// The marker fields of the web client page: INPUT elements by id through which the page
// tells the program about new messages and asks it to quit. Reading a field and putting
// the resting value back is one pass, so every signal the page raises is acted on once.

#include "app/Unit1.h"
#include "monitor/ansi_text_compare.h"

AnsiString TForm1::AccessPageField(TCppWebBrowser* browser, const AnsiString& fieldId, const AnsiString& newValue) {
  // Before the first page there is nothing to watch, and "0" is the resting value.
  if (browser->Document() == nullptr) return "0";

  // The page is reached by late binding, so it is read as the control's object model
  // presents it; a step the page cannot answer raises the automation error to the caller.
  const Variant all = Variant(browser->DefaultDispatch()).OlePropertyGet("Document").OlePropertyGet("all");
  const int count = all.OlePropertyGet("length").ToInt();

  const AnsiString input = "INPUT";
  AnsiString result;
  // Every element is visited: a page that carries the id twice has both fields reset, and
  // the last one's value is the answer.
  for (int i = 0; i < count; ++i) {
    const Variant element = all.OleFunction("item", Variant(i));
    if (!SameAnsiText(element.OlePropertyGet("tagName").WideView(), input)) continue;
    if (!SameAnsiText(element.OlePropertyGet("id").WideView(), fieldId)) continue;
    result = element.OlePropertyGet("Value").ToAnsi();
    // A field already at rest is left untouched, so the page sees no write it did not need.
    if (result != newValue) element.OlePropertySet("Value", Variant(AnsiToWide(newValue)));
  }
  return result;
}
