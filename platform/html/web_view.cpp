#include "platform/html/web_view.h"

#include <utility>

namespace {

// A page that frames itself, or frames that frame each other, must still finish loading.
constexpr int kMaxFrameDepth = 4;
constexpr int kMaxFramesPerPage = 32;

}  // namespace

// One document of a load: the page itself or one of its frames.
struct WebView::LoadPart {
  std::string url;             // as requested; the completion reports it
  LoadPart* parent = nullptr;  // null for the page itself
  int depth = 0;
  std::uint64_t ticket = 0;
  bool arrived = false;
  std::unique_ptr<HtmlDocument> document;  // until it is handed to its parent or shown
  HtmlDocument* parsed = nullptr;          // the same document, after the handover too
  int frames_loading = 0;
};

struct WebView::Load {
  std::uint64_t generation = 0;
  int frames = 0;  // frames started, against the page's limit
  std::vector<std::unique_ptr<LoadPart>> parts;
};

WebView::WebView(Fetcher& fetcher, Listener& listener) : fetcher_(fetcher), listener_(listener) {}

WebView::~WebView() { CancelLoad(); }

bool WebView::Busy() const { return load_ != nullptr; }

HtmlDocument* WebView::Document() const { return document_.get(); }

void WebView::CancelLoad() {
  if (!load_) return;
  for (const auto& part : load_->parts) {
    if (!part->arrived) fetcher_.Cancel(part->ticket);
  }
  // A listener that navigates from inside a frame completion may still be looking at that
  // frame's document, so the load it belongs to outlives the completion.
  if (delivering_) retired_.push_back(std::move(load_));
  load_.reset();
}

void WebView::Navigate(const std::string& url) {
  CancelLoad();
  load_ = std::make_unique<Load>();
  load_->generation = ++generation_;
  StartPart(url, nullptr, 0);
}

void WebView::StartPart(const std::string& url, LoadPart* parent, int depth) {
  auto part = std::make_unique<LoadPart>();
  part->url = url;
  part->parent = parent;
  part->depth = depth;
  LoadPart* started = part.get();
  load_->parts.push_back(std::move(part));
  started->ticket = fetcher_.Fetch(url, [this, generation = load_->generation, started](Fetcher::Response response) {
    // A reply that was already on its way when its load was cancelled finds the load
    // gone, and with it the part it was meant for.
    if (!load_ || load_->generation != generation) return;
    started->arrived = true;
    Deliver(*started, std::move(response));
  });
}

void WebView::Deliver(LoadPart& part, Fetcher::Response response) {
  struct Handled {
    WebView& view;
    ~Handled() {
      view.delivering_ = false;
      view.retired_.clear();
    }
  };
  delivering_ = true;
  const Handled handled{*this};
  Arrived(part, std::move(response));
}

void WebView::Arrived(LoadPart& part, Fetcher::Response response) {
  const std::string& address = response.final_url.empty() ? part.url : response.final_url;
  part.document = HtmlDocument::Parse(response.body, response.content_type, address);
  part.parsed = part.document.get();
  if (part.depth < kMaxFrameDepth) {
    for (const std::string& source : part.parsed->FrameSources()) {
      if (load_->frames == kMaxFramesPerPage) break;
      ++load_->frames;
      ++part.frames_loading;
      StartPart(source, &part, part.depth + 1);
    }
  }
  if (part.frames_loading == 0) Completed(part);
}

// Reports part complete, then every ancestor whose last frame that was, up to the page.
void WebView::Completed(LoadPart& part) {
  const std::uint64_t generation = load_->generation;
  LoadPart* current = &part;
  while (current->parent) {
    LoadPart* parent = current->parent;
    HtmlDocument* frame = current->parsed;
    parent->parsed->AdoptFrame(std::move(current->document));
    listener_.FrameComplete(frame, current->url);
    // The listener may have started another page, which ended this load.
    if (!load_ || load_->generation != generation) return;
    if (--parent->frames_loading > 0) return;
    current = parent;
  }
  // The page replaces the one shown, and the load is over before the listener hears of it,
  // so that it may navigate again at once.
  const std::string url = current->url;
  document_ = std::move(current->document);
  load_.reset();
  listener_.DocumentComplete(url);
}
