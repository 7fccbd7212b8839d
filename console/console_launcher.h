// Running one command line in a new, hidden command interpreter whose output shows in a run box.
#pragma once

#include "app/main_layout.h"
#include "common/text.h"

namespace torvane {

class MainWindow;

// Starts cmd.exe in `workingFolder` (the system folder when that is empty or missing) with pipes for its
// standard handles, types `command` plus CR LF into it and closes its input, so the interpreter runs exactly
// that line and exits when the command ends. Clears `outputBox`, tags it and starts a pump that shows the
// interpreter's output there. Returns at once; the command is never waited for.
void RunInConsole(const Text& command, const Text& workingFolder, MainWindow& window, MainPart outputBox);

// Writes the command's bytes and CR LF to the interpreter's input in one write.
void SendCommandLine(const Text& command);

}  // namespace torvane
