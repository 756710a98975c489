#pragma once
// What the values of the parameters reply become in the client: the poll interval as a
// timer setting, and whether the update address may be handed to the shell.

#include "platform/text.h"
#include "platform/windows.h"

// The poll interval in milliseconds for Timer1. The timer takes a 32-bit signed count, so
// a negative interval becomes 0 (the poll never fires) and one beyond 2,147,483,647 ms is
// held at that maximum.
[[nodiscard]] UINT PollIntervalMs(int seconds);

// True when the address begins with "http://" or "https://" in any letter case. The
// address comes from a plain-HTTP reply, and the shell's "open" action would start any
// program or file it names; only a web address may be opened.
[[nodiscard]] bool IsWebAddress(const AnsiString& address);
