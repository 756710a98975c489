#pragma once
// Runs the real window on the simulated desktop without a script: a test sets up the
// world, starts the program, acts, and lets virtual time pass with Settle.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/Unit1.h"
#include "app/form_inspector.h"
#include "login/service_address.h"
#include "platform/sim/sim_desktop.h"

class ProgramFixture : public ::testing::Test {
 protected:
  // Creates the application and the window, as the process entry does, and runs what the
  // construction set off.
  void Start();
  // Lets ms of virtual time pass, running everything that falls due.
  void Settle(std::int64_t ms = 0) { desktop.Settle(ms); }
  // Serves body for the endpoint name under the service's base address.
  void ServeEndpoint(const std::string& endpoint, const std::string& body);
  void Answer(int button, std::int64_t after_ms = 0) { desktop.QueueAnswer({button, after_ms}); }
  // Transcript lines that contain every one of the given pieces.
  [[nodiscard]] int CountEvents(std::initializer_list<std::string> pieces) const;
  [[nodiscard]] FormInspector Inspect() { return FormInspector(*form); }

  void TearDown() override;

  SimDesktop desktop;
  std::unique_ptr<TApplication> application;
  TForm1* form = nullptr;
};

// Transcripts are UTF-8 while the program's narrow literals are code-page-936 bytes; tests
// write expected transcript text as u8"..." literals and pass them through here.
[[nodiscard]] inline std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }
