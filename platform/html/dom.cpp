#include "platform/html/dom.h"

#include <gumbo.h>

#include "platform/exceptions.h"
#include "platform/html/charset.h"
#include "platform/html/page_text.h"
#include "platform/html/url.h"

namespace {

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// The tag name as the page wrote it for tags the parser does not know, its own otherwise.
std::string TagName(const GumboElement& element) {
  if (element.tag != GUMBO_TAG_UNKNOWN) return UpperAscii(gumbo_normalized_tagname(element.tag));
  GumboStringPiece original = element.original_tag;
  gumbo_tag_from_original_text(&original);
  return UpperAscii(std::string_view(original.data, original.length));
}

// The parser hands out well-formed UTF-8, having replaced anything broken already. A page
// has thousands of names and texts, and opening a converter for each would cost more than
// the parse itself, so they are decoded here; a broken sequence would become U+FFFD.
WideString FromParser(std::string_view utf8) {
  constexpr char16_t kReplacement = 0xFFFD;
  WideString wide;
  wide.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[at++]);
    if (lead < 0x80) {
      wide += static_cast<char16_t>(lead);
      continue;
    }
    const int trail = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t code = lead & (0x3F >> trail);
    int taken = 0;
    while (taken < trail && at < utf8.size() && (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[at++]) & 0x3F);
      ++taken;
    }
    if (trail == 0 || taken < trail || code > 0x10FFFF) {
      wide += kReplacement;
    } else if (code >= 0x10000) {
      code -= 0x10000;
      wide += static_cast<char16_t>(0xD800 + (code >> 10));
      wide += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      wide += static_cast<char16_t>(code);
    }
  }
  return wide;
}

const char* AttributeValue(const GumboElement& element, const char* name) {
  const GumboAttribute* attribute = gumbo_get_attribute(&element.attributes, name);
  return attribute ? attribute->value : nullptr;
}

WideString WideAttribute(const GumboElement& element, const char* name) {
  const char* value = AttributeValue(element, name);
  return value ? FromParser(value) : WideString();
}

// The names an element answers to. Late-bound calls run once per element when the program
// walks a page, so a name is told apart by its length before any letters are compared.
enum class Member { kUnknown, kTagName, kId, kValue, kOuterText };

inline Member ElementMember(std::string_view name) {
  switch (name.size()) {
    case 2:
      return SameMemberName(name, "id") ? Member::kId : Member::kUnknown;
    case 5:
      return SameMemberName(name, "value") ? Member::kValue : Member::kUnknown;
    case 7:
      return SameMemberName(name, "tagName") ? Member::kTagName : Member::kUnknown;
    case 9:
      return SameMemberName(name, "outerText") ? Member::kOuterText : Member::kUnknown;
    default:
      return Member::kUnknown;
  }
}

}  // namespace

// Turns the parser's tree into the document's elements. The walk keeps its own stack, so
// a page that nests deeply cannot exhaust the call stack.
class DomBuilder final {
 public:
  explicit DomBuilder(HtmlDocument& document) : document_(document) {}

  void Build(const GumboNode* root) {
    std::vector<Pending> pending{{root, nullptr}};
    while (!pending.empty()) {
      const auto [node, parent] = pending.back();
      pending.pop_back();
      switch (node->type) {
        case GUMBO_NODE_DOCUMENT:
          PushChildren(node->v.document.children, nullptr, pending);
          break;
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE:
          PushChildren(node->v.element.children, AddElement(node->v.element, parent), pending);
          break;
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_WHITESPACE:
        case GUMBO_NODE_CDATA:
          if (parent) parent->AddChild(FromParser(node->v.text.text));
          break;
        case GUMBO_NODE_COMMENT:
          break;
      }
    }
  }

 private:
  struct Pending {
    const GumboNode* node;
    HtmlElement* parent;
  };

  // Last child first, so that the children come off the stack in document order.
  static void PushChildren(const GumboVector& children, HtmlElement* parent, std::vector<Pending>& pending) {
    for (unsigned i = children.length; i > 0; --i) {
      pending.push_back({static_cast<const GumboNode*>(children.data[i - 1]), parent});
    }
  }

  HtmlElement* AddElement(const GumboElement& source, HtmlElement* parent) {
    std::string tag = TagName(source);
    const bool input = tag == "INPUT";
    const bool frame = tag == "IFRAME" || tag == "FRAME";
    const bool body = tag == "BODY";
    auto element = std::make_unique<HtmlElement>(std::move(tag), WideAttribute(source, "id"),
                                                 input ? WideAttribute(source, "value") : WideString());
    HtmlElement* added = element.get();
    document_.elements_.push_back(std::move(element));
    document_.all_.push_back(added);
    if (body && !document_.body_) document_.body_ = added;
    if (frame) {
      const char* source_address = AttributeValue(source, "src");
      if (source_address && *source_address) {
        document_.frame_sources_.push_back(ResolveUrl(document_.url_, source_address));
      }
    }
    if (parent) parent->AddChild(added);
    return added;
  }

  HtmlDocument& document_;
};

HtmlElement::HtmlElement(std::string tag, WideString id, WideString value)
    : tag_(std::move(tag)), tag_wide_(FromParser(tag_)), id_(std::move(id)), value_(std::move(value)) {}

WideString HtmlElement::Text() const { return VisibleText(*this); }

Variant HtmlElement::GetProperty(std::string_view name) {
  switch (ElementMember(name)) {
    case Member::kTagName:
      return Variant::Lent(tag_wide_);
    case Member::kId:
      return Variant::Lent(id_);
    case Member::kValue:
      // Elements other than INPUT have no value, and the call fails as it would in a browser.
      if (IsInput()) return Variant(value_);
      break;
    case Member::kOuterText:
      return Variant(Text());
    default:
      break;
  }
  ThrowUnknownMember(name);
}

void HtmlElement::PutProperty(std::string_view name, const Variant& value) {
  if (ElementMember(name) == Member::kValue && IsInput()) {
    value_ = value.ToWide();
    return;
  }
  ThrowUnknownMember(name);
}

Variant HtmlElement::CallMethod(std::string_view name, std::span<const Variant>) { ThrowUnknownMember(name); }

std::unique_ptr<HtmlDocument> HtmlDocument::Parse(std::string_view bytes, const std::string& content_type,
                                                  const std::string& url) {
  std::unique_ptr<HtmlDocument> document(new HtmlDocument());
  document->url_ = url;
  document->is_page_ = IsPageType(content_type);
  if (!document->is_page_) return document;
  const std::string utf8 = WideToUtf8(DecodePage(bytes, content_type));
  GumboOptions options = kGumboDefaultOptions;
  // Nobody reads the parse errors, and recording them copies the open elements each time,
  // which on a deeply nested page costs memory by the square of its depth.
  options.max_errors = 0;
  const auto destroy = [&options](GumboOutput* parsed) { gumbo_destroy_output(&options, parsed); };
  const std::unique_ptr<GumboOutput, decltype(destroy)> output(
      gumbo_parse_with_options(&options, utf8.data(), utf8.size()), destroy);
  DomBuilder(*document).Build(output->document);
  return document;
}

HtmlDocument::~HtmlDocument() = default;

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
  if (!is_page_) ThrowUnknownMember(name);
  if (SameMemberName(name, "all")) return Variant(static_cast<IDispatch*>(&all_collection_));
  if (SameMemberName(name, "body")) return Variant(static_cast<IDispatch*>(body_));
  ThrowUnknownMember(name);
}

void HtmlDocument::PutProperty(std::string_view name, const Variant&) { ThrowUnknownMember(name); }

Variant HtmlDocument::CallMethod(std::string_view name, std::span<const Variant>) { ThrowUnknownMember(name); }

Variant HtmlDocument::AllCollection::GetProperty(std::string_view name) {
  if (SameMemberName(name, "length")) return Variant(static_cast<int>(document_.all_.size()));
  ThrowUnknownMember(name);
}

void HtmlDocument::AllCollection::PutProperty(std::string_view name, const Variant&) { ThrowUnknownMember(name); }

Variant HtmlDocument::AllCollection::CallMethod(std::string_view name, std::span<const Variant> arguments) {
  if (!SameMemberName(name, "item")) ThrowUnknownMember(name);
  if (arguments.size() != 1) throw EOleException("Invalid number of parameters");
  const int index = arguments.front().ToInt();
  if (index < 0 || static_cast<std::size_t>(index) >= document_.all_.size()) throw EOleException("Invalid index");
  return Variant(static_cast<IDispatch*>(document_.all_[static_cast<std::size_t>(index)]));
}
