#pragma once
// An application on the simulated desktop with tray icons whose events, and everything the
// desktop shows, land in one log in the order they happen.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/application.h"
#include "platform/forms.h"
#include "platform/sim/sim_desktop.h"
#include "tray/trayicon.h"

// The shift set as letters: Shift, Alt, Ctrl, Left, Right, Middle, Double; "-" when empty.
[[nodiscard]] inline std::string ShiftLetters(const TShiftState& shift) {
  std::string letters;
  if (shift.ssShift) letters += 'S';
  if (shift.ssAlt) letters += 'A';
  if (shift.ssCtrl) letters += 'C';
  if (shift.ssLeft) letters += 'L';
  if (shift.ssRight) letters += 'R';
  if (shift.ssMiddle) letters += 'M';
  if (shift.ssDouble) letters += 'D';
  return letters.empty() ? "-" : letters;
}

// The value of the first occurrence of key in a one-line JSON object, quotes removed.
[[nodiscard]] inline std::string JsonField(const std::string& line, const std::string& key) {
  const std::string marker = "\"" + key + "\":";
  const std::size_t at = line.find(marker);
  if (at == std::string::npos) return {};
  std::size_t begin = at + marker.size();
  if (begin < line.size() && line[begin] == '"') {
    ++begin;
    return line.substr(begin, line.find('"', begin) - begin);
  }
  return line.substr(begin, line.find_first_of(",}", begin) - begin);
}

// A transcript line in the few words the tests compare.
[[nodiscard]] inline std::string Summary(const std::string& line) {
  const std::string event = JsonField(line, "event");
  if (event == "shell_notify") return JsonField(line, "op") + (JsonField(line, "ok") == "true" ? "" : " refused");
  if (event == "show_window") return "show " + JsonField(line, "target") + " " + JsonField(line, "cmd");
  if (event == "foreground") return "foreground " + JsonField(line, "target");
  if (event == "popup") return "popup " + JsonField(line, "menu") + " " + JsonField(line, "x") + "," + JsonField(line, "y");
  return line;
}

using Log = std::vector<std::string>;

class TrayFixture : public ::testing::Test {
 protected:
  TrayFixture() {
    desktop.SetSink([this](const std::string& line) { log.push_back(Summary(line)); });
    desktop.SetCursor({100, 200});
  }

  // A tray icon whose every event writes to the log.
  TTrayIcon* MakeTray(TComponent* owner) {
    auto* tray = new TTrayIcon(owner);
    tray->OnMinimize = [this](TObject*) { log.push_back("OnMinimize"); };
    tray->OnRestore = [this](TObject*) { log.push_back("OnRestore"); };
    tray->OnDblClick = [this](TObject*) { log.push_back("OnDblClick"); };
    tray->OnMouseMove = [this](TObject*, TShiftState shift, int x, int y) {
      log.push_back("OnMouseMove " + ShiftLetters(shift) + " " + Position(x, y));
    };
    tray->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
      log.push_back("OnMouseDown " + ButtonName(button) + " " + ShiftLetters(shift) + " " + Position(x, y));
    };
    tray->OnMouseUp = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
      log.push_back("OnMouseUp " + ButtonName(button) + " " + ShiftLetters(shift) + " " + Position(x, y));
    };
    return tray;
  }
  void LogClicks(TTrayIcon& tray) {
    tray.OnClick = [this](TObject*) { log.push_back("OnClick"); };
  }

  // The shell's callback, delivered as the shell delivers it: sent to the hidden window.
  void Callback(const TTrayIcon& tray, LPARAM event) {
    application.Loop().SendMessage(tray.GetHandle(), WM_USER + 1, 0, event);
  }
  void SysCommand(WPARAM command) { application.Loop().SendMessage(application.Handle(), WM_SYSCOMMAND, command); }

  // What has been logged since the last call.
  [[nodiscard]] Log TakeLog() { return std::exchange(log, {}); }

  // The record the notification area holds for this icon, or null when it holds none.
  [[nodiscard]] const NOTIFYICONDATAA* Shown(const TTrayIcon& tray) const {
    const auto found = desktop.Icons().find({tray.Record().hWnd, tray.Record().uID});
    return found == desktop.Icons().end() ? nullptr : &found->second;
  }

  SimDesktop desktop;
  Log log;  // declared before the application, whose end still writes to it
  TApplication application{desktop};

 private:
  static std::string ButtonName(TMouseButton button) {
    switch (button) {
      case TMouseButton::mbLeft:
        return "left";
      case TMouseButton::mbRight:
        return "right";
      case TMouseButton::mbMiddle:
        return "middle";
    }
    return "?";
  }
  static std::string Position(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};

// The byte text held in a zero-terminated record field.
template <std::size_t N>
[[nodiscard]] std::string FieldText(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}
