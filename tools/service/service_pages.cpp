#include "tools/service/service_pages.h"

namespace {

constexpr const char* kHead = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=GBK\">";

// Keeps the marker fields current in a browser that runs scripts: every few seconds it asks
// the service what happened and adds new messages to the count the client has not read yet.
constexpr const char* kPollScript = R"(<script>
(function () {
  var statusUrl = "%STATUS%";
  function poll() {
    var request = new XMLHttpRequest();
    request.open("GET", statusUrl, true);
    request.onload = function () {
      var state = JSON.parse(request.responseText);
      var count = document.getElementById("client_new_msg");
      if (state.new_msg > 0) count.value = String((parseInt(count.value, 10) || 0) + state.new_msg);
      if (state.exit) document.getElementById("client_exit").value = "1";
    };
    request.send();
  }
  setInterval(poll, 3000);
})();
</script>)";

}  // namespace

std::string HtmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c; break;
    }
  }
  return out;
}

std::string TextPage(const std::string& text) { return HtmlEscape(text); }

std::string AdvertisementPage(const std::string& frame_path) {
  return std::string("<html><head>") + kHead + "<title>短信服务</title></head><body style=\"margin:0\">" +
         "<iframe src=\"" + HtmlEscape(frame_path) + "\" width=\"100%\" height=\"60\" frameborder=\"0\"></iframe>" +
         "</body></html>";
}

std::string AdvertisementFramePage() {
  return std::string("<html><head>") + kHead + "</head><body><p>短信群发，即发即达。</p></body></html>";
}

std::string ClientPage(const ClientPageContent& content) {
  std::string page = std::string("<html><head>") + kHead + "<title>网页客户端</title></head><body>";
  page += "<h1>" + HtmlEscape(content.user) + " 的短信</h1>";
  if (content.messages.empty()) {
    page += "<p>暂无短信</p>";
  } else {
    page += "<ol>";
    for (const std::string& message : content.messages) page += "<li>" + HtmlEscape(message) + "</li>";
    page += "</ol>";
  }
  page += "<input type=\"hidden\" id=\"client_new_msg\" value=\"" + std::to_string(content.new_messages) + "\">";
  page += std::string("<input type=\"hidden\" id=\"client_exit\" value=\"") + (content.exit_requested ? "1" : "0") + "\">";
  std::string script = kPollScript;
  script.replace(script.find("%STATUS%"), 8, content.status_path);
  page += script + "</body></html>";
  return page;
}

std::string NoSessionPage() {
  return std::string("<html><head>") + kHead + "</head><body><p>会话无效，请重新登录。</p></body></html>";
}
