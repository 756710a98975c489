#pragma once
// The page as the browser control exposes it: elements in document order, INPUT values
// that can be read and written, the body's text as the user sees it, and the page's frames.
// The document and its elements are the page's automation objects too.

#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/automation.h"

class HtmlElement;

class HtmlElement final : public IDispatch, public IHTMLElement {
 public:
  // A child is a run of text or an element.
  using Child = std::variant<WideString, HtmlElement*>;

  HtmlElement(std::string tag, WideString id, WideString value);

  [[nodiscard]] const std::string& Tag() const { return tag_; }  // upper case
  [[nodiscard]] const WideString& Id() const { return id_; }
  [[nodiscard]] bool IsInput() const { return tag_ == "INPUT"; }
  [[nodiscard]] const WideString& Value() const { return value_; }
  void SetValue(WideString value) { value_ = std::move(value); }
  [[nodiscard]] const std::vector<Child>& Children() const { return children_; }
  void AddChild(Child child) { children_.push_back(std::move(child)); }
  // The element's text as the user sees it.
  [[nodiscard]] WideString Text() const;

  Variant GetProperty(std::string_view name) override;
  void PutProperty(std::string_view name, const Variant& value) override;
  Variant CallMethod(std::string_view name, const std::vector<Variant>& arguments) override;
  WideString get_outerText() override { return Text(); }

 private:
  std::string tag_;
  WideString tag_wide_;
  WideString id_;
  WideString value_;
  std::vector<Child> children_;
};

class HtmlDocument final : public IDispatch, public IHTMLDocument2 {
 public:
  // Decodes bytes from the charset that content_type or a meta tag declares (code page
  // 936 when none does) and parses them by the HTML5 rules; never fails.
  [[nodiscard]] static std::unique_ptr<HtmlDocument> Parse(std::string_view bytes, const std::string& content_type,
                                                           const std::string& url);
  ~HtmlDocument() override;

  [[nodiscard]] const std::string& Url() const { return url_; }
  // Every element in document order.
  [[nodiscard]] const std::vector<HtmlElement*>& All() const { return all_; }
  [[nodiscard]] HtmlElement* Body() const { return body_; }
  [[nodiscard]] WideString BodyText() const { return body_ ? body_->Text() : WideString(); }
  // The addresses of the page's frames, resolved against the page's address.
  [[nodiscard]] std::vector<std::string> FrameSources() const;
  // Sets every INPUT with this id to value; returns how many there were.
  int SetInputValues(const WideString& id, const WideString& value);
  // The documents of the page's frames live as long as the page.
  void AdoptFrame(std::unique_ptr<HtmlDocument> frame) { frames_.push_back(std::move(frame)); }

  Variant GetProperty(std::string_view name) override;
  void PutProperty(std::string_view name, const Variant& value) override;
  Variant CallMethod(std::string_view name, const std::vector<Variant>& arguments) override;
  IHTMLElement* get_body() override { return body_; }

 private:
  class AllCollection final : public IDispatch {
   public:
    explicit AllCollection(HtmlDocument& document) : document_(document) {}
    Variant GetProperty(std::string_view name) override;
    void PutProperty(std::string_view name, const Variant& value) override;
    Variant CallMethod(std::string_view name, const std::vector<Variant>& arguments) override;

   private:
    HtmlDocument& document_;
  };

  HtmlDocument() = default;

  std::string url_;
  std::vector<std::unique_ptr<HtmlElement>> elements_;
  std::vector<HtmlElement*> all_;
  HtmlElement* body_ = nullptr;
  std::vector<std::string> frame_sources_;
  std::vector<std::unique_ptr<HtmlDocument>> frames_;
  AllCollection all_collection_{*this};
  friend class DomBuilder;
};

// The charset a page declares: the Content-Type header's first, then a meta tag within
// the first 1024 bytes; empty when neither says.
[[nodiscard]] std::string DeclaredCharset(std::string_view bytes, const std::string& content_type);
