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

class HtmlElement final : public IDispatch, public IHTMLElement {
 public:
  // A child is a run of text or an element of the same document.
  using Child = std::variant<WideString, HtmlElement*>;

  // tag is the upper-case tag name (UTF-8); value only means something for an INPUT.
  HtmlElement(std::string tag, WideString id, WideString value);

  [[nodiscard]] const std::string& Tag() const { return tag_; }
  [[nodiscard]] const WideString& TagName() const { return tag_wide_; }  // what "tagName" answers
  [[nodiscard]] const WideString& Id() const { return id_; }
  [[nodiscard]] bool IsInput() const { return tag_ == "INPUT"; }
  [[nodiscard]] const WideString& Value() const { return value_; }
  void SetValue(WideString value) { value_ = std::move(value); }
  [[nodiscard]] const std::vector<Child>& Children() const { return children_; }
  void AddChild(Child child) { children_.push_back(std::move(child)); }
  // The element's text as the user sees it laid out.
  [[nodiscard]] WideString Text() const;

  // Late binding: "tagName", "id", "Value" (INPUT only, also written) and "outerText".
  Variant GetProperty(std::string_view name) override;
  void PutProperty(std::string_view name, const Variant& value) override;
  Variant CallMethod(std::string_view name, std::span<const Variant> arguments) override;
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
  // 936 when none does) and parses them by the HTML5 rules; never fails. url is the
  // page's address, against which its frame sources are resolved. A reply that is no page
  // (an image, JSON, a download) gives a viewer's document: no elements, no body, and
  // nothing to reach by late binding.
  [[nodiscard]] static std::unique_ptr<HtmlDocument> Parse(std::string_view bytes, const std::string& content_type,
                                                           const std::string& url);
  ~HtmlDocument() override;
  HtmlDocument(const HtmlDocument&) = delete;
  HtmlDocument& operator=(const HtmlDocument&) = delete;

  [[nodiscard]] const std::string& Url() const { return url_; }
  // Every element in document order, HTML, HEAD and BODY included.
  [[nodiscard]] const std::vector<HtmlElement*>& All() const { return all_; }
  [[nodiscard]] HtmlElement* Body() const { return body_; }
  [[nodiscard]] WideString BodyText() const { return body_ ? body_->Text() : WideString(); }
  // The resolved addresses of the page's FRAME and IFRAME elements, in document order.
  [[nodiscard]] const std::vector<std::string>& FrameSources() const { return frame_sources_; }
  // Sets every INPUT whose id is exactly id to value; returns how many there were.
  int SetInputValues(const WideString& id, const WideString& value);
  // The documents of the page's frames live as long as the page.
  void AdoptFrame(std::unique_ptr<HtmlDocument> frame) { frames_.push_back(std::move(frame)); }

  // Late binding: "all" (the element collection) and "body".
  Variant GetProperty(std::string_view name) override;
  void PutProperty(std::string_view name, const Variant& value) override;
  Variant CallMethod(std::string_view name, std::span<const Variant> arguments) override;
  IHTMLElement* get_body() override { return body_; }

 private:
  // document.all: "length", and "item(index)" counting from 0.
  class AllCollection final : public IDispatch {
   public:
    explicit AllCollection(const HtmlDocument& document) : document_(document) {}
    Variant GetProperty(std::string_view name) override;
    void PutProperty(std::string_view name, const Variant& value) override;
    Variant CallMethod(std::string_view name, std::span<const Variant> arguments) override;

   private:
    const HtmlDocument& document_;
  };

  HtmlDocument() = default;

  std::string url_;
  bool is_page_ = true;
  std::vector<std::unique_ptr<HtmlElement>> elements_;
  std::vector<HtmlElement*> all_;
  HtmlElement* body_ = nullptr;
  std::vector<std::string> frame_sources_;
  std::vector<std::unique_ptr<HtmlDocument>> frames_;
  AllCollection all_collection_{*this};
  friend class DomBuilder;
};
