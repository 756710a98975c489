#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "platform/html/charset.h"
#include "platform/html/dom.h"

namespace {

// Page sources with characters beyond ASCII are written as UTF-8; plain literals would be
// code page 936.
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct BodyTextCase {
  const char* name;
  const char* html;
  const char16_t* text;
};

class BodyText : public ::testing::TestWithParam<BodyTextCase> {};

TEST_P(BodyText, IsTheTextAsTheUserSeesIt) {
  const auto document = HtmlDocument::Parse(GetParam().html, "text/html; charset=utf-8", "http://h/p");
  EXPECT_EQ(document->BodyText(), GetParam().text);
  IHTMLElement* body = document->get_body();
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->get_outerText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Dom, BodyText,
    ::testing::Values(
        BodyTextCase{"BareText", "1.00|http://x/u|60", u"1.00|http://x/u|60"},
        BodyTextCase{"ReplyPage", "<html><body>1.00|http://x/u|60</body></html>", u"1.00|http://x/u|60"},
        BodyTextCase{"BlanksAroundTheBody", "<body>\n  TRUE|http://w/ \r\n</body>", u"TRUE|http://w/"},
        BodyTextCase{"Paragraphs", "<p>a</p><p>b</p>", u"a\nb"},
        BodyTextCase{"LineBreaks", "a<br>b <br> <br>c", u"a\nb\n\nc"},
        BodyTextCase{"NoEmptyLinesAtTheEnds", "<br><p></p>a<br><br>", u"a"},
        BodyTextCase{"HiddenContent",
                     "<title>t</title>x<script>var a='1|2';</script><style>p{}</style><noscript>n</noscript>y", u"xy"},
        BodyTextCase{"Entities", "a &amp; b&lt;c&nbsp;d&#x77ED;&quot;&#x1F600;", u"a & b<c\u00A0d短\"\U0001F600"},
        BodyTextCase{"WhitespaceRuns", "a \n\t  b<b> c </b> <i> d</i>", u"a b c d"},
        BodyTextCase{"BlankAtBlockEdges", "<div>  in  </div>  out  <h1> head </h1>", u"in\nout\nhead"},
        BodyTextCase{"NestedBlocks", "<div><div>in</div>out</div><ul><li>1</li><li>2</li></ul>", u"in\nout\n1\n2"},
        BodyTextCase{"TableRowsAndCells", "<table><tr><td>a</td><td> b </td></tr><tr><th>c</th></tr></table>x",
                     u"a\tb\nc\nx"},
        BodyTextCase{"Preformatted", "<pre>\n  x  y\n z</pre>after", u"  x  y\n z\nafter"},
        BodyTextCase{"TextareaKeepsItsBlanks", "t: <textarea>a  b</textarea>", u"t: a  b"},
        BodyTextCase{"UnclosedTags", "<p>unclosed<div>tags<b>everywhere", u"unclosed\ntagseverywhere"},
        BodyTextCase{"StrayEndTags", "x</div></b>y</p>z", u"xy\nz"},
        BodyTextCase{"BrokenMarkup", "a < b <!-- c -- d", u"a < b"}, BodyTextCase{"EmptyPage", "", u""},
        BodyTextCase{"InputValuesAreNotText", "a<input value=\"secret\"><input type=hidden value=h>b", u"ab"},
        BodyTextCase{"FrameFallbackIsNotText", "<iframe src=x>fallback</iframe>t", u"t"}),
    [](const ::testing::TestParamInfo<BodyTextCase>& info) { return std::string(info.param.name); });

TEST(Dom, AFramesetPageHasNoBody) {
  const auto document = HtmlDocument::Parse("<frameset><frame src=f></frameset>", "", "http://h/");
  EXPECT_EQ(document->Body(), nullptr);
  EXPECT_EQ(document->get_body(), nullptr);
  EXPECT_EQ(document->BodyText(), u"");
}

TEST(Dom, ADeeplyNestedPageStillGivesItsText) {
  std::string html;
  for (int i = 0; i < 3000; ++i) html += "<div><span>";
  html += "deep";
  const auto document = HtmlDocument::Parse(html, "", "");
  EXPECT_EQ(document->BodyText(), u"deep");
  EXPECT_EQ(document->All().size(), 3u + 2 * 3000u);
}

struct DeclaredCharsetCase {
  const char* name;
  std::string bytes;
  const char* content_type;
  const char* charset;
};

class Declaration : public ::testing::TestWithParam<DeclaredCharsetCase> {};

TEST_P(Declaration, ComesFromTheHeaderThenAMetaTag) {
  EXPECT_EQ(DeclaredCharset(GetParam().bytes, GetParam().content_type), GetParam().charset);
}

INSTANTIATE_TEST_SUITE_P(
    Dom, Declaration,
    ::testing::Values(
        DeclaredCharsetCase{"Header", "", "text/html; charset=UTF-8", "utf-8"},
        DeclaredCharsetCase{"QuotedHeader", "", "text/html; Charset = \"gb2312\"", "gb2312"},
        DeclaredCharsetCase{"MetaCharset", "<head><meta charset=\"GBK\">", "text/html", "gbk"},
        DeclaredCharsetCase{"MetaHttpEquiv", "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=big5\">",
                            "", "big5"},
        DeclaredCharsetCase{"HeaderBeatsMeta", "<meta charset=gbk>", "text/html;charset=utf-8", "utf-8"},
        DeclaredCharsetCase{"MetaPastTheFirst1024Bytes", std::string(1024, ' ') + "<meta charset=utf-8>", "", ""},
        DeclaredCharsetCase{"OnlyInsideMetaTags", "<p>charset=utf-8</p>", "", ""},
        DeclaredCharsetCase{"ConverterOptionsAreNotPartOfTheName", "", "text/html; charset=utf-8//IGNORE", "utf-8"},
        DeclaredCharsetCase{"Nothing", "<p>x</p>", "text/html", ""}),
    [](const ::testing::TestParamInfo<DeclaredCharsetCase>& info) { return std::string(info.param.name); });

TEST(Dom, PagesAreReadInTheirDeclaredCharset) {
  const std::string gbk = "\xB6\xCC\xD0\xC5";  // the two characters below in code page 936
  const std::string utf8 = U8(u8"短信");
  EXPECT_EQ(HtmlDocument::Parse("<meta charset=\"gbk\">" + gbk, "", "")->BodyText(), u"短信");
  EXPECT_EQ(HtmlDocument::Parse(utf8, "text/html; charset=UTF-8", "")->BodyText(), u"短信");
  EXPECT_EQ(HtmlDocument::Parse("<meta charset=gbk>" + utf8, "text/html; charset=utf-8", "")->BodyText(), u"短信");
  EXPECT_EQ(HtmlDocument::Parse(gbk, "text/html", "")->BodyText(), u"短信");
  EXPECT_EQ(HtmlDocument::Parse("\xEF\xBB\xBF" + utf8, "text/html; charset=gbk", "")->BodyText(), u"短信");
}

struct ReplyKind {
  const char* content_type;
  bool page;
};

class Replies : public ::testing::TestWithParam<ReplyKind> {};

// Only pages are laid out; a viewer's document has nothing for the program to reach.
TEST_P(Replies, OnlyPagesHaveElementsToReach) {
  const auto document = HtmlDocument::Parse("<input id=\"client_exit\" value=\"1\">", GetParam().content_type, "");
  const Variant object(static_cast<IDispatch*>(document.get()));
  EXPECT_EQ(document->All().empty(), !GetParam().page);
  EXPECT_EQ(document->Body() == nullptr, !GetParam().page);
  if (GetParam().page) {
    EXPECT_EQ(object.OlePropertyGet("all").OlePropertyGet("length").ToInt(), 4);
  } else {
    EXPECT_THROW((void)object.OlePropertyGet("all"), EOleException);
    EXPECT_THROW((void)object.OlePropertyGet("body"), EOleException);
  }
}

INSTANTIATE_TEST_SUITE_P(Dom, Replies,
                         ::testing::Values(ReplyKind{"text/html; charset=GBK", true}, ReplyKind{"", true},
                                           ReplyKind{" Text/Plain ", true}, ReplyKind{"application/xhtml+xml", true},
                                           ReplyKind{"application/json", false}, ReplyKind{"image/png", false},
                                           ReplyKind{"application/octet-stream; charset=gbk", false}));

class LateBinding : public ::testing::Test {
 protected:
  std::unique_ptr<HtmlDocument> document_ =
      HtmlDocument::Parse(U8(u8"<title>t</title><div id=\"client_exit\">x</div><input id=\"client_exit\" value=\"1\">"
                             u8"<Custom-Tag>c</Custom-Tag><input id=\"号码\" value=\"短信\">"),
                          "text/html; charset=utf-8", "http://h/p");
  Variant document_object_{static_cast<IDispatch*>(document_.get())};
  Variant all_ = document_object_.OlePropertyGet("all");

  [[nodiscard]] Variant Item(int index) const { return all_.OleFunction("item", Variant(index)); }
};

TEST_F(LateBinding, AllListsEveryElementInDocumentOrder) {
  const int length = all_.OlePropertyGet("length").ToInt();
  std::vector<std::string> tags;
  for (int i = 0; i < length; ++i) tags.push_back(Item(i).OlePropertyGet("tagName").ToAnsi().bytes());
  EXPECT_EQ(tags, (std::vector<std::string>{"HTML", "HEAD", "TITLE", "BODY", "DIV", "INPUT", "CUSTOM-TAG", "INPUT"}));
  EXPECT_EQ(document_object_.OlePropertyGet("ALL").AsDispatch(), all_.AsDispatch());
}

TEST_F(LateBinding, ReadsIdsAndInputValues) {
  EXPECT_EQ(Item(0).OlePropertyGet("id").ToWide(), u"");
  EXPECT_EQ(Item(4).OlePropertyGet("id").ToAnsi(), "client_exit");
  EXPECT_EQ(Item(5).OlePropertyGet("Value").ToAnsi(), "1");
  EXPECT_EQ(Item(7).OlePropertyGet("id").ToWide(), u"号码");
  EXPECT_EQ(Item(7).OlePropertyGet("value").ToWide(), u"短信");
}

TEST_F(LateBinding, WritesInputValues) {
  Item(5).OlePropertySet("Value", Variant(WideString(u"短")));
  EXPECT_EQ(document_->All()[5]->Value(), u"短");
  EXPECT_EQ(Item(5).OlePropertyGet("value").ToWide(), u"短");
}

TEST_F(LateBinding, ReadsTheBodyText) {
  EXPECT_EQ(document_object_.OlePropertyGet("body").OlePropertyGet("outerText").ToWide(), u"x\nc");
}

TEST_F(LateBinding, ElementsOtherThanInputHaveNoValue) {
  EXPECT_THROW((void)Item(4).OlePropertyGet("Value"), EOleException);
  EXPECT_THROW(Item(4).OlePropertySet("Value", Variant(WideString(u"0"))), EOleException);
}

TEST_F(LateBinding, UnknownMembersRaise) {
  EXPECT_THROW((void)document_object_.OlePropertyGet("location"), EOleException);
  EXPECT_THROW(document_object_.OlePropertySet("body", Variant(1)), EOleException);
  EXPECT_THROW((void)all_.OlePropertyGet("count"), EOleException);
  EXPECT_THROW((void)all_.OleFunction("tags", Variant(0)), EOleException);
  EXPECT_THROW((void)Item(5).OlePropertyGet("name"), EOleException);
  EXPECT_THROW((void)Item(5).OleFunction("click", Variant()), EOleException);
}

TEST_F(LateBinding, ItemOutsideTheCollectionRaises) {
  const int length = all_.OlePropertyGet("length").ToInt();
  EXPECT_NO_THROW((void)Item(length - 1));
  EXPECT_THROW((void)Item(length), EOleException);
  EXPECT_THROW((void)Item(-1), EOleException);
}

TEST_F(LateBinding, SetInputValuesMatchesIdsExactly) {
  EXPECT_EQ(document_->SetInputValues(u"client_exit", u"7"), 1);  // the DIV of the same id is no INPUT
  EXPECT_EQ(Item(5).OlePropertyGet("Value").ToAnsi(), "7");
  EXPECT_EQ(document_->SetInputValues(u"CLIENT_EXIT", u"8"), 0);
  EXPECT_EQ(Item(5).OlePropertyGet("Value").ToAnsi(), "7");
}

TEST(Dom, FrameSourcesAreResolvedInDocumentOrder) {
  const auto page = HtmlDocument::Parse(
      "<iframe src=\"a/b\"></iframe><p><iframe src=\" //o/x \"></iframe></p><iframe></iframe>"
      "<iframe src=\"https://s/\"></iframe>",
      "", "http://h/dir/page");
  EXPECT_EQ(page->FrameSources(), (std::vector<std::string>{"http://h/dir/a/b", "http://o/x", "https://s/"}));
  const auto frameset = HtmlDocument::Parse("<frameset><frame src=/f1><frame src=f2></frameset>", "", "http://h/d/");
  EXPECT_EQ(frameset->FrameSources(), (std::vector<std::string>{"http://h/f1", "http://h/d/f2"}));
}

}  // namespace
