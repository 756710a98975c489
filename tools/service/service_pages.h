#pragma once
// The pages the service serves. Every text here is in code page 936 (the sources are
// compiled to GBK), and so is every page.

#include <string>
#include <vector>

inline constexpr const char* kPageType = "text/html; charset=GBK";

// Escapes the bytes that HTML gives a meaning to. No GBK trail byte falls on one of them,
// so the escape is safe byte by byte.
[[nodiscard]] std::string HtmlEscape(const std::string& text);

// A reply whose visible text is text, as the client reads its answers.
[[nodiscard]] std::string TextPage(const std::string& text);
// The advertisement, which carries its banner in a frame at frame_path.
[[nodiscard]] std::string AdvertisementPage(const std::string& frame_path);
[[nodiscard]] std::string AdvertisementFramePage();

struct ClientPageContent {
  std::string user;
  std::vector<std::string> messages;  // oldest first
  std::size_t new_messages = 0;
  bool exit_requested = false;
  std::string status_path;  // the JSON the page's script polls; service-made, nothing to escape
};
// The web client of a logged-in session, with its two marker fields.
[[nodiscard]] std::string ClientPage(const ClientPageContent& content);
// The page for a session the service does not know.
[[nodiscard]] std::string NoSessionPage();
