// The reply of a request is the visible text of the page the service returned.

#include "app/Unit1.h"

AnsiString TForm1::GetPageText() {
  IDispatch* document = CppWebBrowser1->Document();
  if (!document) return {};
  IHTMLDocument2* html = QueryInterface<IHTMLDocument2>(document);
  if (!html) return {};
  // A document without a body has no text; the empty text reads as a missing answer at
  // every stage.
  IHTMLElement* body = html->get_body();
  if (!body) return {};
  return WideToAnsi(body->get_outerText());
}
