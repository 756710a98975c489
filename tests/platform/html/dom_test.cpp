#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/exceptions.h"
#include "platform/html/dom.h"
#include "platform/html/url.h"
#include "platform/html/web_view.h"

namespace {

struct BodyTextCase {
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
    ::testing::Values(BodyTextCase{"1.00|http://x/u|60", u"1.00|http://x/u|60"},
                      BodyTextCase{"<html><body>  TRUE|http://w/  </body></html>", u"TRUE|http://w/"},
                      BodyTextCase{"<p>a</p><p>b</p>", u"a\nb"}, BodyTextCase{"a<br>b<br><br>c", u"a\nb\n\nc"},
                      BodyTextCase{"x<script>var a='1|2';</script><style>p{}</style>y", u"xy"},
                      BodyTextCase{"a &amp; b&lt;c", u"a & b<c"}, BodyTextCase{"a \n\t  b", u"a b"},
                      BodyTextCase{"<div><div>in</div>out</div>", u"in\nout"},
                      BodyTextCase{"<p>unclosed<div>tags<b>everywhere", u"unclosed\ntagseverywhere"},
                      BodyTextCase{"", u""}, BodyTextCase{"<input value=\"secret\">", u""}));

TEST(Dom, PagesAreDecodedFromTheirDeclaredCharset) {
  const std::string gbk_text = "\xB6\xCC\xD0\xC5";  // the two characters of "SMS" in code page 936
  EXPECT_EQ(HtmlDocument::Parse("<meta charset=\"gbk\">" + gbk_text, "", "")->BodyText(), u"短信");
  EXPECT_EQ(HtmlDocument::Parse(gbk_text, "text/html", "")->BodyText(), u"短信");  // nothing declared
  EXPECT_EQ(HtmlDocument::Parse("\xE7\x9F\xAD", "text/html; charset=UTF-8", "")->BodyText(), u"短");
  // The header wins over the page's own meta tag.
  EXPECT_EQ(HtmlDocument::Parse("<meta charset=gbk>\xE7\x9F\xAD", "text/html; charset=utf-8", "")->BodyText(), u"短");
}

TEST(Dom, InputsAreReachedByLateBinding) {
  auto document = HtmlDocument::Parse(
      "<div id=\"client_exit\">x</div><input id=\"client_exit\" value=\"1\"><textarea id=t>q</textarea>", "", "");
  const Variant all = Variant(static_cast<IDispatch*>(document.get())).OlePropertyGet("all");
  const int length = all.OlePropertyGet("length").ToInt();
  std::vector<std::string> tags;
  for (int i = 0; i < length; ++i) tags.push_back(all.OleFunction("item", Variant(i)).OlePropertyGet("tagName").ToAnsi().bytes());
  EXPECT_EQ(tags, (std::vector<std::string>{"HTML", "HEAD", "BODY", "DIV", "INPUT", "TEXTAREA"}));
  const Variant input = all.OleFunction("item", Variant(4));
  EXPECT_EQ(input.OlePropertyGet("id").ToAnsi(), "client_exit");
  EXPECT_EQ(input.OlePropertyGet("Value").ToAnsi(), "1");
  input.OlePropertySet("Value", Variant(WideString(u"0")));
  EXPECT_EQ(document->All()[4]->Value(), u"0");
  EXPECT_THROW((void)all.OleFunction("item", Variant(length)), EOleException);
  EXPECT_THROW((void)all.OleFunction("item", Variant(3)).OlePropertyGet("Value"), EOleException);  // a DIV
  EXPECT_THROW((void)all.OlePropertyGet("nothing"), EOleException);
  EXPECT_EQ(document->SetInputValues(u"client_exit", u"7"), 1);
  EXPECT_EQ(input.OlePropertyGet("value").ToAnsi(), "7");
}

struct UrlCase {
  const char* base;
  const char* reference;
  const char* resolved;
};

class Resolve : public ::testing::TestWithParam<UrlCase> {};

TEST_P(Resolve, FollowsTheBrowsersRules) {
  EXPECT_EQ(ResolveUrl(GetParam().base, GetParam().reference), GetParam().resolved);
}

INSTANTIATE_TEST_SUITE_P(Dom, Resolve,
                         ::testing::Values(UrlCase{"http://h/a/b?q", "https://o/x", "https://o/x"},
                                           UrlCase{"http://h/a/b", "//o/x", "http://o/x"},
                                           UrlCase{"http://h/a/b", "/x?y", "http://h/x?y"},
                                           UrlCase{"http://h/a/b", "c/d", "http://h/a/c/d"},
                                           UrlCase{"http://h/a/b", "../c", "http://h/c"},
                                           UrlCase{"http://h", "c", "http://h/c"}));

// Serves pages from a map and delivers them only when the test says so.
class ScriptedFetcher final : public Fetcher {
 public:
  std::map<std::string, std::string> pages;
  std::uint64_t Fetch(const std::string& url, Callback done) override {
    queue_.push_back({next_, url, std::move(done)});
    return next_++;
  }
  void Cancel(std::uint64_t ticket) override { std::erase_if(queue_, [&](const Item& item) { return item.ticket == ticket; }); }
  void DeliverAll() {
    while (!queue_.empty()) {
      Item item = std::move(queue_.front());
      queue_.erase(queue_.begin());
      const auto found = pages.find(item.url);
      item.done(Response{found == pages.end() ? std::string() : found->second, "text/html; charset=utf-8", ""});
    }
  }

 private:
  struct Item {
    std::uint64_t ticket;
    std::string url;
    Callback done;
  };
  std::vector<Item> queue_;
  std::uint64_t next_ = 1;
};

class Recorder final : public WebView::Listener {
 public:
  std::vector<std::string> events;
  std::function<void()> on_document;
  void FrameComplete(IDispatch* frame, const std::string& url) override {
    events.push_back("frame " + url + (frame ? "" : " without document"));
  }
  void DocumentComplete(const std::string& url) override {
    events.push_back("page " + url);
    if (on_document) on_document();
  }
};

TEST(WebView, FramesCompleteBeforeThePageAndThePageOnce) {
  ScriptedFetcher fetcher;
  Recorder recorder;
  WebView view(fetcher, recorder);
  fetcher.pages["http://h/top"] = "<iframe src=\"a\"></iframe><iframe src=\"/b\"></iframe>top";
  fetcher.pages["http://h/a"] = "<iframe src=\"c\"></iframe>a";
  fetcher.pages["http://h/b"] = "b";
  fetcher.pages["http://h/c"] = "c";
  EXPECT_EQ(view.Document(), nullptr);
  view.Navigate("http://h/top");
  EXPECT_TRUE(view.Busy());
  fetcher.DeliverAll();
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"frame http://h/b", "frame http://h/c", "frame http://h/a", "page http://h/top"}));
  EXPECT_FALSE(view.Busy());
  ASSERT_NE(view.Document(), nullptr);
  EXPECT_EQ(view.Document()->BodyText(), u"top");
}

TEST(WebView, APageThatFramesItselfStillFinishes) {
  ScriptedFetcher fetcher;
  Recorder recorder;
  WebView view(fetcher, recorder);
  fetcher.pages["http://h/loop"] = "<iframe src=\"loop\"></iframe><iframe src=\"loop\"></iframe>";
  view.Navigate("http://h/loop");
  fetcher.DeliverAll();
  ASSERT_FALSE(recorder.events.empty());
  EXPECT_EQ(recorder.events.back(), "page http://h/loop");
  EXPECT_FALSE(view.Busy());
}

TEST(WebView, ANewNavigationCancelsTheOneUnderWay) {
  ScriptedFetcher fetcher;
  Recorder recorder;
  WebView view(fetcher, recorder);
  view.Navigate("http://h/first");
  view.Navigate("http://h/second");
  fetcher.DeliverAll();
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"page http://h/second"}));
}

TEST(WebView, ACompletionMayStartTheNextPage) {
  ScriptedFetcher fetcher;
  Recorder recorder;
  WebView view(fetcher, recorder);
  fetcher.pages["http://h/2"] = "two";
  recorder.on_document = [&] {
    if (recorder.events.size() == 1) view.Navigate("http://h/2");
  };
  view.Navigate("http://h/1");
  fetcher.DeliverAll();
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"page http://h/1", "page http://h/2"}));
  EXPECT_EQ(view.Document()->BodyText(), u"two");
}

}  // namespace
