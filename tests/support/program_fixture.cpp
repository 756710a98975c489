#include "tests/support/program_fixture.h"

void ProgramFixture::Start() {
  application = std::make_unique<TApplication>(desktop);
  application->Initialize();
  application->CreateForm(form);
  if (!application->Terminated()) form->Show();
  Settle();
}

void ProgramFixture::ServeEndpoint(const std::string& endpoint, const std::string& body) {
  desktop.WebPages().Serve(AnsiToUtf8(ServiceBase()) + endpoint, body);
}

int ProgramFixture::CountEvents(std::initializer_list<std::string> pieces) const {
  int count = 0;
  for (const std::string& line : desktop.Transcript()) {
    bool all = true;
    for (const std::string& piece : pieces) all = all && line.find(piece) != std::string::npos;
    count += all ? 1 : 0;
  }
  return count;
}

void ProgramFixture::TearDown() {
  // Boxes left unanswered would mean the test expected a question that never came.
  EXPECT_EQ(desktop.PendingAnswers(), 0u) << "answers queued for boxes that never opened";
  application.reset();
}
