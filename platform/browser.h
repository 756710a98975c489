#pragma once
// The embedded browser control: navigates, reports document completions per frame and for
// the page itself, and exposes the page to late binding.

#include <functional>
#include <memory>
#include <string>

#include "platform/automation.h"
#include "platform/controls.h"
#include "platform/html/web_view.h"
#include "platform/windows.h"

// The browser's in-place active object: it offers keyboard messages to the page's own
// accelerator handling.
class IOleInPlaceActiveObject : public virtual IUnknown {
 public:
  virtual HRESULT TranslateAccelerator(MSG* lpmsg) = 0;
};

// Document completion: the dispatch object of the frame whose document finished, and its
// address.
using TWebBrowserDocumentComplete =
    std::function<void(TObject* Sender, IDispatch* pDisp, const WideString& URL)>;

class TCppWebBrowser final : public TControl, private WebView::Listener {
 public:
  explicit TCppWebBrowser(TComponent* AOwner);
  ~TCppWebBrowser() override;

  TWebBrowserDocumentComplete OnDocumentComplete;

  // Returns at once; the page completes later as OnDocumentComplete.
  void Navigate(const WideString& URL);
  // The current document, or null before the first page.
  [[nodiscard]] IDispatch* Document() const;
  [[nodiscard]] bool Busy() const { return view_.Busy(); }
  // Null until the control has shown a page.
  [[nodiscard]] IDispatch* Application();
  // The control's own dispatch object, which answers "Document" by late binding.
  [[nodiscard]] IDispatch* DefaultDispatch() { return &automation_; }
  [[nodiscard]] HWND Handle() const { return handle_; }
  // The page engine, for those who drive the page from outside the program.
  [[nodiscard]] WebView& View() { return view_; }

 private:
  class Automation final : public IDispatch {
   public:
    explicit Automation(TCppWebBrowser& owner) : owner_(owner) {}
    Variant GetProperty(std::string_view name) override;
    void PutProperty(std::string_view name, const Variant& value) override;
    Variant CallMethod(std::string_view name, std::span<const Variant> arguments) override;

   private:
    TCppWebBrowser& owner_;
  };
  class InPlaceObject final : public IDispatch, public IOleInPlaceActiveObject {
   public:
    explicit InPlaceObject(TCppWebBrowser& owner) : owner_(owner) {}
    Variant GetProperty(std::string_view name) override;
    void PutProperty(std::string_view name, const Variant& value) override;
    Variant CallMethod(std::string_view name, std::span<const Variant> arguments) override;
    HRESULT TranslateAccelerator(MSG* lpmsg) override;

   private:
    TCppWebBrowser& owner_;
  };

  void FrameComplete(IDispatch* frame, const std::string& url) override;
  void DocumentComplete(const std::string& url) override;
  void Raise(IDispatch* frame, const std::string& url, bool top);

  Automation automation_{*this};
  InPlaceObject in_place_{*this};
  WebView view_;
  HWND handle_ = 0;
};
