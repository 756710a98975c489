#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/html/web_view.h"

namespace {

// Serves pages from a map and delivers the replies only when the test says so.
class QueuedFetcher final : public Fetcher {
 public:
  void Serve(const std::string& url, const std::string& body, const std::string& final_url = "") {
    pages_[url] = Response{body, "text/html; charset=utf-8", final_url};
  }
  // A transport may have sent a reply off before it hears of the cancellation.
  void KeepDeliveringCancelled() { honour_cancel_ = false; }

  std::uint64_t Fetch(const std::string& url, Callback done) override {
    requested.push_back(url);
    queue_.push_back({next_ticket_, url, std::move(done)});
    return next_ticket_++;
  }
  void Cancel(std::uint64_t ticket) override {
    cancelled.push_back(ticket);
    if (honour_cancel_) std::erase_if(queue_, [&](const Queued& queued) { return queued.ticket == ticket; });
  }

  // Delivers the oldest reply; an address without a page gets the empty reply of a failure.
  void DeliverOne() {
    Queued queued = std::move(queue_.front());
    queue_.pop_front();
    const auto page = pages_.find(queued.url);
    queued.done(page == pages_.end() ? Response{} : page->second);
  }
  void DeliverAll() {
    while (!queue_.empty()) DeliverOne();
  }

  std::vector<std::string> requested;
  std::vector<std::uint64_t> cancelled;

 private:
  struct Queued {
    std::uint64_t ticket;
    std::string url;
    Callback done;
  };
  std::map<std::string, Response> pages_;
  std::deque<Queued> queue_;
  std::uint64_t next_ticket_ = 1;
  bool honour_cancel_ = true;
};

std::string TextOf(IDispatch* document) {
  return WideToUtf8(Variant(document).OlePropertyGet("body").OlePropertyGet("outerText").ToWide());
}

// Writes down every completion with what the view says at that moment.
class Recorder final : public WebView::Listener {
 public:
  void FrameComplete(IDispatch* frame, const std::string& url) override {
    events.push_back("frame " + url + ": " + TextOf(frame) + Busy());
    frames.push_back(frame);
    if (on_frame) on_frame(frame);
  }
  void DocumentComplete(const std::string& url) override {
    events.push_back("page " + url + Busy());
    if (on_document) on_document();
  }

  WebView* view = nullptr;
  std::vector<std::string> events;
  std::vector<IDispatch*> frames;
  std::function<void(IDispatch*)> on_frame;
  std::function<void()> on_document;

 private:
  [[nodiscard]] std::string Busy() const { return view->Busy() ? " (busy)" : ""; }
};

class WebViewTest : public ::testing::Test {
 protected:
  WebViewTest() { recorder_.view = &view_; }
  [[nodiscard]] std::string ShownText() const {
    return view_.Document() ? WideToUtf8(view_.Document()->BodyText()) : "<none>";
  }
  [[nodiscard]] int CountFrameEvents() const {
    return static_cast<int>(std::count_if(recorder_.events.begin(), recorder_.events.end(),
                                          [](const std::string& event) { return event.starts_with("frame "); }));
  }

  QueuedFetcher fetcher_;
  Recorder recorder_;
  WebView view_{fetcher_, recorder_};
};

TEST_F(WebViewTest, FramesCompleteBeforeTheirPageAndThePageLastAndOnce) {
  fetcher_.Serve("http://h/top", "<iframe src=\"a\"></iframe><iframe src=\"/b\"></iframe>top");
  fetcher_.Serve("http://h/a", "<iframe src=\"c\"></iframe>a");
  fetcher_.Serve("http://h/b", "b");
  fetcher_.Serve("http://h/c", "c");
  view_.Navigate("http://h/top");
  EXPECT_TRUE(view_.Busy());
  fetcher_.DeliverAll();
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"frame http://h/b: b (busy)", "frame http://h/c: c (busy)",
                                                        "frame http://h/a: a (busy)", "page http://h/top"}));
  EXPECT_FALSE(view_.Busy());
  EXPECT_EQ(ShownText(), "top");
  // The frame documents live as long as the page.
  ASSERT_EQ(recorder_.frames.size(), 3u);
  EXPECT_EQ(TextOf(recorder_.frames[0]), "b");
  EXPECT_EQ(TextOf(recorder_.frames[2]), "a");
}

TEST_F(WebViewTest, NoDocumentUntilTheFirstPageCompletes) {
  fetcher_.Serve("http://h/1", "<iframe src=\"f\"></iframe>one");
  EXPECT_EQ(view_.Document(), nullptr);
  EXPECT_FALSE(view_.Busy());
  view_.Navigate("http://h/1");
  fetcher_.DeliverOne();
  EXPECT_EQ(view_.Document(), nullptr);
  fetcher_.DeliverOne();
  EXPECT_EQ(ShownText(), "one");
}

TEST_F(WebViewTest, TheShownPageStaysUntilTheNextOneCompletes) {
  fetcher_.Serve("http://h/1", "one");
  fetcher_.Serve("http://h/2", "two");
  view_.Navigate("http://h/1");
  fetcher_.DeliverAll();
  view_.Navigate("http://h/2");
  EXPECT_TRUE(view_.Busy());
  EXPECT_EQ(ShownText(), "one");
  fetcher_.DeliverAll();
  EXPECT_EQ(ShownText(), "two");
  EXPECT_FALSE(view_.Busy());
}

TEST_F(WebViewTest, AFrameThatCannotBeFetchedCompletesEmpty) {
  fetcher_.Serve("http://h/top", "<iframe src=\"gone\"></iframe>top");
  view_.Navigate("http://h/top");
  fetcher_.DeliverAll();
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"frame http://h/gone:  (busy)", "page http://h/top"}));
}

TEST_F(WebViewTest, FramesResolveAgainstTheAddressAfterRedirects) {
  fetcher_.Serve("http://h/top", "<iframe src=\"f\"></iframe>", "http://other/dir/page");
  view_.Navigate("http://h/top");
  fetcher_.DeliverAll();
  EXPECT_EQ(fetcher_.requested, (std::vector<std::string>{"http://h/top", "http://other/dir/f"}));
}

struct FramingCase {
  const char* name;
  int frames_per_page;
  int frames_loaded;
};

class SelfFraming : public WebViewTest, public ::testing::WithParamInterface<FramingCase> {};

TEST_P(SelfFraming, APageThatFramesItselfStillFinishes) {
  std::string html;
  for (int i = 0; i < GetParam().frames_per_page; ++i) html += "<iframe src=\"loop\"></iframe>";
  fetcher_.Serve("http://h/loop", html + "x");
  view_.Navigate("http://h/loop");
  fetcher_.DeliverAll();
  EXPECT_EQ(CountFrameEvents(), GetParam().frames_loaded);
  ASSERT_EQ(recorder_.events.size(), static_cast<std::size_t>(GetParam().frames_loaded) + 1);
  EXPECT_EQ(recorder_.events.back(), "page http://h/loop");
  EXPECT_FALSE(view_.Busy());
}

// One frame per page stops at the nesting limit of four; three per page would make
// 3 + 9 + 27 + 81 frames and stop at the limit of 32 frames per page instead.
INSTANTIATE_TEST_SUITE_P(WebView, SelfFraming,
                         ::testing::Values(FramingCase{"DepthLimit", 1, 4}, FramingCase{"CountLimit", 3, 32}),
                         [](const ::testing::TestParamInfo<FramingCase>& info) {
                           return std::string(info.param.name);
                         });

class Cancelling : public WebViewTest, public ::testing::WithParamInterface<bool> {};

TEST_P(Cancelling, ANewNavigationCancelsTheLoadUnderWay) {
  if (GetParam()) fetcher_.KeepDeliveringCancelled();
  fetcher_.Serve("http://h/first", "<iframe src=\"frame\"></iframe>first");
  fetcher_.Serve("http://h/frame", "frame");
  fetcher_.Serve("http://h/second", "second");
  view_.Navigate("http://h/first");
  fetcher_.DeliverOne();  // the first page is in, its frame still on its way
  view_.Navigate("http://h/second");
  fetcher_.DeliverAll();
  EXPECT_EQ(fetcher_.cancelled, (std::vector<std::uint64_t>{2}));
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"page http://h/second"}));
  EXPECT_EQ(ShownText(), "second");
}

INSTANTIATE_TEST_SUITE_P(WebView, Cancelling, ::testing::Bool(), [](const ::testing::TestParamInfo<bool>& info) {
  return std::string(info.param ? "RepliesAlreadySent" : "RepliesWithdrawn");
});

TEST_F(WebViewTest, ADocumentCompletionMayStartTheNextPage) {
  fetcher_.Serve("http://h/1", "one");
  fetcher_.Serve("http://h/2", "two");
  recorder_.on_document = [&] {
    if (recorder_.events.size() == 1) {
      view_.Navigate("http://h/2");
      recorder_.events.push_back(view_.Busy() ? "busy again" : "idle");
    }
  };
  view_.Navigate("http://h/1");
  fetcher_.DeliverAll();
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"page http://h/1", "busy again", "page http://h/2"}));
  EXPECT_EQ(ShownText(), "two");
}

TEST_F(WebViewTest, AFrameCompletionMayNavigateAway) {
  fetcher_.Serve("http://h/top", "<iframe src=\"f\"></iframe><iframe src=\"g\"></iframe>top");
  fetcher_.Serve("http://h/f", "f");
  fetcher_.Serve("http://h/next", "next");
  std::string read_after_navigate;
  recorder_.on_frame = [&](IDispatch* frame) {
    if (recorder_.frames.size() > 1) return;
    view_.Navigate("http://h/next");
    // The frame's document is still there until the completion returns.
    read_after_navigate = TextOf(frame);
  };
  view_.Navigate("http://h/top");
  fetcher_.DeliverAll();
  EXPECT_EQ(read_after_navigate, "f");
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"frame http://h/f: f (busy)", "page http://h/next"}));
  EXPECT_EQ(ShownText(), "next");
}

}  // namespace
