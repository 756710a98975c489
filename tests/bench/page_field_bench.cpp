// The marker-field walk of the web client page: the window's late-bound AccessPageField
// beside a direct walk of the same document in plain C++ that makes the same reads and
// the same write, on pages of 100, 1,000 and 10,000 elements; and the keyboard hook's cost
// per message once the browser's active object is known.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "app/Unit1.h"
#include "app/form_inspector.h"
#include "login/service_address.h"
#include "monitor/ansi_text_compare.h"
#include "platform/sim/sim_desktop.h"

namespace {

constexpr const char* kPageAddress = "http://page.test/client";

// A page of exactly count elements (HTML, HEAD and BODY included): rows of text with an
// INPUT of another id every tenth element, and the marker field last.
std::string PageOf(int count) {
  std::string page;
  for (int i = 3; i < count - 1; ++i) {
    page += i % 10 == 0 ? R"(<input id="other)" + std::to_string(i) + R"(" value="x">)"
                        : "<span>row " + std::to_string(i) + "</span>";
  }
  return page + R"(<input id="client_new_msg" value="0">)";
}

// The program on the simulated desktop with the page shown in CppWebBrowser1.
class Window final {
 public:
  explicit Window(const std::string& page) {
    desktop_.WebPages().Serve(kPageAddress, page);
    application_ = std::make_unique<TApplication>(desktop_);
    application_->CreateForm(form_);
    // Stage 0 is no stage of the login: the page is only shown, never read as a reply.
    form_->CppWebBrowser1->Tag = 0;
    form_->CppWebBrowser1->Navigate(Utf8ToWide(kPageAddress));
    desktop_.Settle();
  }
  [[nodiscard]] TForm1& form() { return *form_; }
  [[nodiscard]] HtmlDocument& document() { return *form_->CppWebBrowser1->View().Document(); }
  // The marker field, whose value each run puts back so that every walk also writes.
  [[nodiscard]] HtmlElement& marker() { return *document().All().back(); }

 private:
  SimDesktop desktop_;
  std::unique_ptr<TApplication> application_;
  TForm1* form_ = nullptr;
};

// What the late-bound walk does, on the document's own objects: the same tag name and id
// texts compared with the same comparison, the value read as an 8-bit text, the new value
// written when it differs. The difference between the two is the cost of late binding.
AnsiString DirectWalk(HtmlDocument& document, const AnsiString& fieldId, const AnsiString& newValue) {
  const AnsiString input = "INPUT";
  AnsiString result;
  for (HtmlElement* element : document.All()) {
    if (!SameAnsiText(element->TagName(), input)) continue;
    if (!SameAnsiText(element->Id(), fieldId)) continue;
    result = WideToAnsi(element->Value());
    if (result != newValue) element->SetValue(AnsiToWide(newValue));
  }
  return result;
}

void PerElement(benchmark::State& state) {
  state.counters["per_element"] =
      benchmark::Counter(static_cast<double>(state.range(0)),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void LateBoundWalk(benchmark::State& state) {
  Window window(PageOf(static_cast<int>(state.range(0))));
  if (window.document().All().size() != static_cast<std::size_t>(state.range(0))) {
    state.SkipWithError("the page does not have the element count asked for");
    return;
  }
  FormInspector inspector(window.form());
  TCppWebBrowser* browser = window.form().CppWebBrowser1;
  for (auto _ : state) {
    window.marker().SetValue(u"12");
    benchmark::DoNotOptimize(inspector.AccessPageField(browser, "client_new_msg", "0"));
  }
  PerElement(state);
}

void DirectDomWalk(benchmark::State& state) {
  Window window(PageOf(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    window.marker().SetValue(u"12");
    benchmark::DoNotOptimize(DirectWalk(window.document(), "client_new_msg", "0"));
  }
  PerElement(state);
}

// The hook for a key it withholds: one read of Busy, the cached object, the comparisons.
void MessageHookWithheldKey(benchmark::State& state) {
  Window window("<p>client</p>");
  TForm1& form = window.form();
  MSG message;
  message.hwnd = form.Handle();
  message.message = WM_KEYDOWN;
  message.wParam = VK_BACK;
  bool handled = false;
  form.ApplicationEvents1Message(message, handled);  // the one-time lookup
  if (!FormInspector(form).FActiveObject()) {
    state.SkipWithError("the browser's active object was not found");
    return;
  }
  for (auto _ : state) {
    form.ApplicationEvents1Message(message, handled);
    benchmark::DoNotOptimize(handled);
  }
}

// The hook while the page loads: one read of Busy and nothing else.
void MessageHookWhileBusy(benchmark::State& state) {
  Window window("<p>client</p>");
  TForm1& form = window.form();
  form.CppWebBrowser1->Navigate(Utf8ToWide(kPageAddress));
  MSG message;
  message.hwnd = form.Handle();
  message.message = WM_MOUSEMOVE;
  bool handled = false;
  for (auto _ : state) {
    form.ApplicationEvents1Message(message, handled);
    benchmark::DoNotOptimize(handled);
  }
}

}  // namespace

BENCHMARK(LateBoundWalk)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(DirectDomWalk)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(MessageHookWithheldKey);
BENCHMARK(MessageHookWhileBusy);
BENCHMARK_MAIN();
