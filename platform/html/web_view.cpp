#include "platform/html/web_view.h"

#include <vector>

namespace {

// A page that frames itself, or frames that frame each other, must still finish loading.
constexpr int kMaxFrameDepth = 4;
constexpr int kMaxFramesPerPage = 32;

}  // namespace

// One document of a page under way: the page itself or one of its frames.
struct WebView::LoadPart {
  std::unique_ptr<HtmlDocument> document;  // until it is handed to its parent or shown
  HtmlDocument* parsed = nullptr;
  std::string url;
  LoadPart* parent = nullptr;
  int depth = 0;
  int waiting = 0;  // frames of this document still loading
  std::uint64_t ticket = 0;
  bool fetched = false;
};

struct WebView::Load {
  std::uint64_t generation = 0;
  int frames = 0;
  std::vector<std::unique_ptr<LoadPart>> parts;  // parts[0] is the page itself
};

namespace {
// Tells a load's late replies from those of the load that replaced it.
std::uint64_t next_generation = 1;
}  // namespace

WebView::WebView(Fetcher& fetcher, Listener& listener) : fetcher_(fetcher), listener_(listener) {}

WebView::~WebView() { CancelLoad(); }

bool WebView::Busy() const { return load_ != nullptr; }

HtmlDocument* WebView::Document() const { return document_.get(); }

void WebView::CancelLoad() {
  if (!load_) return;
  for (const auto& part : load_->parts) {
    if (!part->fetched) fetcher_.Cancel(part->ticket);
  }
  load_.reset();
}

void WebView::Navigate(const std::string& url) {
  CancelLoad();
  load_ = std::make_unique<Load>();
  load_->generation = next_generation++;
  StartPart(url, nullptr, 0);
}

void WebView::StartPart(const std::string& url, LoadPart* parent, int depth) {
  auto part = std::make_unique<LoadPart>();
  part->url = url;
  part->parent = parent;
  part->depth = depth;
  LoadPart* raw = part.get();
  load_->parts.push_back(std::move(part));
  const std::uint64_t generation = load_->generation;
  raw->ticket = fetcher_.Fetch(url, [this, generation, raw](Fetcher::Response response) {
    if (!load_ || load_->generation != generation) return;
    raw->fetched = true;
    Arrived(*raw, std::move(response));
  });
}

void WebView::Arrived(LoadPart& part, Fetcher::Response response) {
  const std::string address = response.final_url.empty() ? part.url : response.final_url;
  part.document = HtmlDocument::Parse(response.body, response.content_type, address);
  part.parsed = part.document.get();
  if (part.depth < kMaxFrameDepth) {
    for (const std::string& source : part.parsed->FrameSources()) {
      if (load_->frames >= kMaxFramesPerPage) break;
      ++load_->frames;
      ++part.waiting;
      StartPart(source, &part, part.depth + 1);
    }
  }
  if (part.waiting == 0) Completed(part);
}

void WebView::Completed(LoadPart& part) {
  const std::uint64_t generation = load_->generation;
  LoadPart* current = &part;
  while (current->parent) {
    LoadPart* parent = current->parent;
    HtmlDocument* frame = current->parsed;
    const std::string url = current->url;
    parent->parsed->AdoptFrame(std::move(current->document));
    listener_.FrameComplete(frame, url);
    // The listener may have started another page meanwhile.
    if (!load_ || load_->generation != generation) return;
    if (--parent->waiting > 0) return;
    current = parent;
  }
  // The page itself: it replaces the one shown, and the load is over before anyone hears.
  std::string url = current->url;
  document_ = std::move(current->document);
  load_.reset();
  listener_.DocumentComplete(url);
}
