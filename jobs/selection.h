// Steps 1 to 3 of the main window: the ffmpeg folder, the MP4 file, the output folder.
#pragma once

#include "common/text.h"

namespace torvane {

class MainWindow;

void OnLoadClicked(MainWindow& window);
void OnOpenFileClicked(MainWindow& window);
void OnChooseOutputClicked(MainWindow& window);

// The shell's folder browser, modal for the whole program. Returns the chosen folder, or the empty text for
// Cancel and for an item that has no file-system path.
Text BrowseForFolder(const Text& title);

}  // namespace torvane
