#include "platform/html/page_text.h"

#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/html/dom.h"

namespace {

// How an element takes part in the page's text.
enum class Display { kInline, kHidden, kBlock, kPreformattedBlock, kPreformattedInline, kCell, kLineBreak };

Display DisplayOf(const std::string& tag) {
  static const std::unordered_map<std::string_view, Display> kDisplays = [] {
    std::unordered_map<std::string_view, Display> displays;
    for (const std::string_view hidden :
         {"SCRIPT", "STYLE", "NOSCRIPT", "TITLE", "HEAD", "TEMPLATE", "IFRAME", "FRAME", "NOFRAMES"}) {
      displays[hidden] = Display::kHidden;
    }
    for (const std::string_view block :
         {"ADDRESS", "ARTICLE",  "ASIDE",      "BLOCKQUOTE", "CAPTION", "CENTER", "DD",   "DIR",  "DIV", "DL",
          "DT",      "FIELDSET", "FIGCAPTION", "FIGURE",     "FOOTER",  "FORM",   "H1",   "H2",   "H3",  "H4",
          "H5",      "H6",       "HEADER",     "HR",         "LEGEND",  "LI",     "MAIN", "MENU", "NAV", "OL",
          "P",       "SECTION",  "TABLE",      "TBODY",      "TFOOT",   "THEAD",  "TR",   "UL"}) {
      displays[block] = Display::kBlock;
    }
    displays["PRE"] = displays["LISTING"] = Display::kPreformattedBlock;
    displays["TEXTAREA"] = Display::kPreformattedInline;
    displays["TD"] = displays["TH"] = Display::kCell;
    displays["BR"] = Display::kLineBreak;
    return displays;
  }();
  const auto found = kDisplays.find(tag);
  return found == kDisplays.end() ? Display::kInline : found->second;
}

bool IsPreformatted(Display display) {
  return display == Display::kPreformattedBlock || display == Display::kPreformattedInline;
}

bool IsBlock(Display display) { return display == Display::kBlock || display == Display::kPreformattedBlock; }

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

// Collects text the way it is laid out. A separator (a folded blank or the tab between
// cells) waits until the next visible character, so none ever ends a line.
class TextLayout final {
 public:
  void Text(const WideString& text, bool preformatted) {
    for (const char16_t c : text) {
      if (preformatted) {
        if (c == u'\r') continue;
        if (c == u'\n')
          LineBreak();
        else
          Put(c);
      } else if (IsSpace(c)) {
        if (!separator_) separator_ = u' ';
      } else {
        Put(c);
      }
    }
  }
  void BlockEdge() {
    separator_ = 0;
    if (!AtLineStart()) out_ += u'\n';
  }
  void LineBreak() {
    separator_ = 0;
    out_ += u'\n';
  }
  void CellStart() {
    if (!AtLineStart()) separator_ = u'\t';
  }
  [[nodiscard]] WideString Finish() {
    while (!out_.empty() && (out_.back() == u'\n' || out_.back() == u' ' || out_.back() == u'\t')) out_.pop_back();
    const auto first = out_.find_first_not_of(u'\n');
    return first == WideString::npos ? WideString() : out_.substr(first);
  }

 private:
  [[nodiscard]] bool AtLineStart() const { return out_.empty() || out_.back() == u'\n'; }
  void Put(char16_t c) {
    if (separator_ && !AtLineStart()) out_ += separator_;
    separator_ = 0;
    out_ += c;
  }

  WideString out_;
  char16_t separator_ = 0;
};

}  // namespace

WideString VisibleText(const HtmlElement& element) {
  // An element being walked: which child comes next, and what its end does to the text.
  // The walk keeps its own stack, so however deep a page nests, the call stack does not.
  struct Open {
    const HtmlElement* element;
    std::size_t next_child = 0;
    bool preformatted = false;
    bool block = false;
  };
  TextLayout layout;
  std::vector<Open> open{{&element, 0, IsPreformatted(DisplayOf(element.Tag())), false}};
  while (!open.empty()) {
    Open& current = open.back();
    const auto& children = current.element->Children();
    if (current.next_child == children.size()) {
      if (current.block) layout.BlockEdge();
      open.pop_back();
      continue;
    }
    const HtmlElement::Child& child = children[current.next_child++];
    if (const auto* text = std::get_if<WideString>(&child)) {
      layout.Text(*text, current.preformatted);
      continue;
    }
    const HtmlElement* inner = std::get<HtmlElement*>(child);
    const Display display = DisplayOf(inner->Tag());
    if (display == Display::kHidden) continue;
    if (display == Display::kLineBreak) {
      layout.LineBreak();
      continue;
    }
    if (display == Display::kCell) layout.CellStart();
    if (IsBlock(display)) layout.BlockEdge();
    const bool preformatted = current.preformatted || IsPreformatted(display);
    open.push_back({inner, 0, preformatted, IsBlock(display)});
  }
  return layout.Finish();
}
