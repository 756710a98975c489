#pragma once
// The balloon that announces new messages while the window is in the tray.

#include "platform/text.h"

// The balloon's text for a count as the page reported it. The shell's text field holds
// 255 bytes; a count too long for what the fixed words leave over is cut at a character
// boundary, so the sentence around it always arrives whole.
[[nodiscard]] AnsiString NewMessageBalloonText(const AnsiString& count);
