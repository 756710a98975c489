#include "platform/browser.h"

#include "platform/application.h"

TCppWebBrowser::TCppWebBrowser(TComponent* AOwner)
    : TControl(AOwner), view_(AOwner->App().desktop().Web(), *this) {
  handle_ = App().Loop().AllocateHWnd("browser", [](TMessage&) {});
}

TCppWebBrowser::~TCppWebBrowser() { App().Loop().DeallocateHWnd(handle_); }

void TCppWebBrowser::Navigate(const WideString& URL) {
  const std::string address = WideToUtf8(URL);
  App().desktop().BrowserNavigating(std::string(Name.bytes()), address, Tag);
  view_.Navigate(address);
}

IDispatch* TCppWebBrowser::Document() const { return view_.Document(); }

IDispatch* TCppWebBrowser::Application() { return view_.Document() ? &in_place_ : nullptr; }

void TCppWebBrowser::FrameComplete(IDispatch* frame, const std::string& url) { Raise(frame, url, false); }

void TCppWebBrowser::DocumentComplete(const std::string& url) { Raise(&automation_, url, true); }

void TCppWebBrowser::Raise(IDispatch* frame, const std::string& url, bool top) {
  App().desktop().BrowserCompleted(std::string(Name.bytes()), url, top);
  if (OnDocumentComplete) {
    // Completions arrive from the page engine, outside any other handler.
    App().Dispatch([&] { OnDocumentComplete(this, frame, Utf8ToWide(url)); });
  }
}

Variant TCppWebBrowser::Automation::GetProperty(std::string_view name) {
  if (SameMemberName(name, "Document")) return Variant(owner_.Document());
  if (SameMemberName(name, "Busy")) return Variant(owner_.Busy());
  ThrowUnknownMember(name);
}

void TCppWebBrowser::Automation::PutProperty(std::string_view name, const Variant&) { ThrowUnknownMember(name); }

Variant TCppWebBrowser::Automation::CallMethod(std::string_view name, std::span<const Variant>) {
  ThrowUnknownMember(name);
}

Variant TCppWebBrowser::InPlaceObject::GetProperty(std::string_view name) { ThrowUnknownMember(name); }

void TCppWebBrowser::InPlaceObject::PutProperty(std::string_view name, const Variant&) { ThrowUnknownMember(name); }

Variant TCppWebBrowser::InPlaceObject::CallMethod(std::string_view name, std::span<const Variant>) {
  ThrowUnknownMember(name);
}

HRESULT TCppWebBrowser::InPlaceObject::TranslateAccelerator(MSG* lpmsg) {
  if (!lpmsg) return S_FALSE;
  owner_.App().desktop().AcceleratorOffered(*lpmsg);
  return S_FALSE;
}
