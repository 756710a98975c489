#include "platform/html/dom.h"

#include <gumbo.h>

#include <algorithm>
#include <cctype>

#include "platform/exceptions.h"
#include "platform/html/url.h"

namespace {

std::string UpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The value of "charset=" inside text, or empty.
std::string CharsetParameter(std::string_view text) {
  const std::string lower = LowerAscii(text);
  const auto at = lower.find("charset=");
  if (at == std::string::npos) return {};
  std::size_t begin = at + 8;
  while (begin < text.size() && (text[begin] == '"' || text[begin] == '\'' || text[begin] == ' ')) ++begin;
  std::size_t end = begin;
  while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-' ||
                               text[end] == '_' || text[end] == ':' || text[end] == '.')) {
    ++end;
  }
  return std::string(text.substr(begin, end - begin));
}

bool IsBlock(const std::string& tag) {
  static const char* const kBlocks[] = {
      "ADDRESS", "ARTICLE", "ASIDE", "BLOCKQUOTE", "CAPTION", "CENTER", "DD", "DIV", "DL", "DT", "FIELDSET",
      "FIGCAPTION", "FIGURE", "FOOTER", "FORM", "H1", "H2", "H3", "H4", "H5", "H6", "HEADER", "HR", "LI", "MAIN",
      "NAV", "OL", "P", "PRE", "SECTION", "TABLE", "TBODY", "TFOOT", "THEAD", "TR", "UL", "BODY", "HTML"};
  return std::any_of(std::begin(kBlocks), std::end(kBlocks), [&](const char* block) { return tag == block; });
}

bool IsHidden(const std::string& tag) {
  static const char* const kHidden[] = {"SCRIPT", "STYLE", "NOSCRIPT", "TITLE", "HEAD", "TEMPLATE",
                                        "TEXTAREA", "SELECT", "IFRAME", "FRAME", "OBJECT"};
  return std::any_of(std::begin(kHidden), std::end(kHidden), [&](const char* hidden) { return tag == hidden; });
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

// Builds text the way it is laid out: runs of white space fold into one blank, blocks and
// line breaks start new lines, and no line begins or ends with a blank.
class TextLayout final {
 public:
  void Text(const WideString& text, bool preformatted) {
    for (const char16_t c : text) {
      if (preformatted) {
        if (c == u'\r') continue;
        if (c == u'\n') LineBreak();
        else Put(c);
      } else if (IsSpace(c)) {
        pending_space_ = true;
      } else {
        Put(c);
      }
    }
  }
  void BlockEdge() {
    pending_space_ = false;
    if (!out_.empty() && out_.back() != u'\n') out_ += u'\n';
  }
  void LineBreak() {
    pending_space_ = false;
    out_ += u'\n';
  }
  [[nodiscard]] WideString Finish() {
    while (!out_.empty() && (out_.back() == u'\n' || out_.back() == u' ')) out_.pop_back();
    return out_;
  }

 private:
  void Put(char16_t c) {
    if (pending_space_ && !out_.empty() && out_.back() != u'\n') out_ += u' ';
    pending_space_ = false;
    out_ += c;
  }
  WideString out_;
  bool pending_space_ = false;
};

void Layout(const HtmlElement& element, TextLayout& layout, bool preformatted) {
  const std::string& tag = element.Tag();
  if (IsHidden(tag)) return;
  if (tag == "BR") {
    layout.LineBreak();
    return;
  }
  const bool block = IsBlock(tag);
  const bool pre = preformatted || tag == "PRE";
  if (block) layout.BlockEdge();
  for (const auto& child : element.Children()) {
    if (const auto* text = std::get_if<WideString>(&child)) {
      layout.Text(*text, pre);
    } else {
      Layout(*std::get<HtmlElement*>(child), layout, pre);
    }
  }
  if (block) layout.BlockEdge();
}

std::string_view Piece(const GumboStringPiece& piece) { return {piece.data, piece.length}; }

}  // namespace

// Turns gumbo's tree into our elements.
class DomBuilder final {
 public:
  explicit DomBuilder(HtmlDocument& document) : document_(document) {}

  void Build(const GumboNode* node, HtmlElement* parent) {
    switch (node->type) {
      case GUMBO_NODE_DOCUMENT:
        for (unsigned i = 0; i < node->v.document.children.length; ++i) {
          Build(static_cast<const GumboNode*>(node->v.document.children.data[i]), parent);
        }
        break;
      case GUMBO_NODE_ELEMENT:
      case GUMBO_NODE_TEMPLATE:
        BuildElement(node, parent);
        break;
      case GUMBO_NODE_TEXT:
      case GUMBO_NODE_WHITESPACE:
      case GUMBO_NODE_CDATA:
        if (parent) parent->AddChild(Utf8ToWide(node->v.text.text));
        break;
      default:
        break;
    }
  }

 private:
  void BuildElement(const GumboNode* node, HtmlElement* parent) {
    const GumboElement& source = node->v.element;
    std::string tag;
    if (source.tag == GUMBO_TAG_UNKNOWN) {
      GumboStringPiece original = source.original_tag;
      gumbo_tag_from_original_text(&original);
      tag = UpperAscii(std::string(Piece(original)));
    } else {
      tag = UpperAscii(gumbo_normalized_tagname(source.tag));
    }
    const GumboAttribute* id = gumbo_get_attribute(&source.attributes, "id");
    const GumboAttribute* value = gumbo_get_attribute(&source.attributes, "value");
    auto element = std::make_unique<HtmlElement>(tag, id ? Utf8ToWide(id->value) : WideString(),
                                                 value ? Utf8ToWide(value->value) : WideString());
    HtmlElement* raw = element.get();
    document_.elements_.push_back(std::move(element));
    document_.all_.push_back(raw);
    if (tag == "BODY" && !document_.body_) document_.body_ = raw;
    if (tag == "IFRAME" || tag == "FRAME") {
      if (const GumboAttribute* src = gumbo_get_attribute(&source.attributes, "src"); src && *src->value) {
        document_.frame_sources_.push_back(ResolveUrl(document_.url_, src->value));
      }
    }
    if (parent) parent->AddChild(raw);
    for (unsigned i = 0; i < source.children.length; ++i) {
      Build(static_cast<const GumboNode*>(source.children.data[i]), raw);
    }
  }

  HtmlDocument& document_;
};

HtmlElement::HtmlElement(std::string tag, WideString id, WideString value)
    : tag_(std::move(tag)), tag_wide_(Utf8ToWide(tag_)), id_(std::move(id)), value_(std::move(value)) {}

WideString HtmlElement::Text() const {
  TextLayout layout;
  // The element's own tag decides nothing about its text except where it is hidden.
  for (const auto& child : children_) {
    if (const auto* text = std::get_if<WideString>(&child)) {
      layout.Text(*text, tag_ == "PRE");
    } else {
      Layout(*std::get<HtmlElement*>(child), layout, tag_ == "PRE");
    }
  }
  return layout.Finish();
}

Variant HtmlElement::GetProperty(std::string_view name) {
  if (SameMemberName(name, "tagName")) return Variant(tag_wide_);
  if (SameMemberName(name, "id")) return Variant(id_);
  if (SameMemberName(name, "value") && IsInput()) return Variant(value_);
  if (SameMemberName(name, "outerText") || SameMemberName(name, "innerText")) return Variant(Text());
  ThrowUnknownMember(name);
}

void HtmlElement::PutProperty(std::string_view name, const Variant& value) {
  if (SameMemberName(name, "value") && IsInput()) {
    value_ = value.ToWide();
    return;
  }
  ThrowUnknownMember(name);
}

Variant HtmlElement::CallMethod(std::string_view name, const std::vector<Variant>&) { ThrowUnknownMember(name); }

std::string DeclaredCharset(std::string_view bytes, const std::string& content_type) {
  std::string charset = CharsetParameter(content_type);
  if (!charset.empty()) return charset;
  const std::string head = LowerAscii(bytes.substr(0, 1024));
  for (auto meta = head.find("<meta"); meta != std::string::npos; meta = head.find("<meta", meta + 5)) {
    const auto end = head.find('>', meta);
    charset = CharsetParameter(std::string_view(head).substr(meta, end == std::string::npos ? end : end - meta));
    if (!charset.empty()) return charset;
  }
  return {};
}

std::unique_ptr<HtmlDocument> HtmlDocument::Parse(std::string_view bytes, const std::string& content_type,
                                                  const std::string& url) {
  std::unique_ptr<HtmlDocument> document(new HtmlDocument());
  document->url_ = url;
  const std::string utf8 = WideToUtf8(DecodeCharset(bytes, DeclaredCharset(bytes, content_type)));
  GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, utf8.data(), utf8.size());
  DomBuilder(*document).Build(output->document, nullptr);
  gumbo_destroy_output(&kGumboDefaultOptions, output);
  return document;
}

HtmlDocument::~HtmlDocument() = default;

std::vector<std::string> HtmlDocument::FrameSources() const { return frame_sources_; }

int HtmlDocument::SetInputValues(const WideString& id, const WideString& value) {
  int count = 0;
  for (HtmlElement* element : all_) {
    if (element->IsInput() && element->Id() == id) {
      element->SetValue(value);
      ++count;
    }
  }
  return count;
}

Variant HtmlDocument::GetProperty(std::string_view name) {
  if (SameMemberName(name, "all")) return Variant(static_cast<IDispatch*>(&all_collection_));
  if (SameMemberName(name, "body")) return Variant(static_cast<IDispatch*>(body_));
  ThrowUnknownMember(name);
}

void HtmlDocument::PutProperty(std::string_view name, const Variant&) { ThrowUnknownMember(name); }

Variant HtmlDocument::CallMethod(std::string_view name, const std::vector<Variant>&) { ThrowUnknownMember(name); }

Variant HtmlDocument::AllCollection::GetProperty(std::string_view name) {
  if (SameMemberName(name, "length")) return Variant(static_cast<int>(document_.all_.size()));
  ThrowUnknownMember(name);
}

void HtmlDocument::AllCollection::PutProperty(std::string_view name, const Variant&) { ThrowUnknownMember(name); }

Variant HtmlDocument::AllCollection::CallMethod(std::string_view name, const std::vector<Variant>& arguments) {
  if (!SameMemberName(name, "item")) ThrowUnknownMember(name);
  if (arguments.size() != 1) throw EOleException("Invalid number of parameters");
  const int index = arguments.front().ToInt();
  if (index < 0 || index >= static_cast<int>(document_.all_.size())) throw EOleException("Invalid index");
  return Variant(static_cast<IDispatch*>(document_.all_[static_cast<std::size_t>(index)]));
}
