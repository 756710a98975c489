#include "monitor/balloon_text.h"

#include "platform/windows.h"
#include "tray/record_text.h"

AnsiString NewMessageBalloonText(const AnsiString& count) {
  const AnsiString lead = "  您有";
  const AnsiString tail = "条新短信!\n\n单击此气球查看新短信";
  // One byte of the field is its terminating zero.
  constexpr std::size_t field = sizeof NOTIFYICONDATAA{}.szInfo - 1;
  const std::size_t room = field - static_cast<std::size_t>(lead.Length() + tail.Length());
  return lead + AnsiString(count.c_str(), WholeCharactersWithin(count, room)) + tail;
}
