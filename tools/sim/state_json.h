#pragma once
// The running program's state as the `state` command prints it: the window, its named
// controls, its private fields, the stage, the timers, the tray icon and the application.

#include "platform/sim/json.h"

class TForm1;

[[nodiscard]] JsonObject StateJson(TForm1& form);
