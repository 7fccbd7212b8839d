// What both jobs do once their checks have passed.
#pragma once

#include <optional>

#include "common/text.h"

namespace torvane {

class MainWindow;

// Refuses a command that could not be composed safely, with a notice; otherwise makes it the last command,
// runs it in the ffmpeg folder with its output in the run box, and copies it to the clipboard.
void LaunchJobCommand(MainWindow& window, std::optional<Text> command);

}  // namespace torvane
