// pz.ini beside the program: the remembered ffmpeg folder.
#pragma once

namespace torvane {

class MainWindow;

// Created event of the main window: fills 程序目录 from the file, if there is one.
void LoadSettings(MainWindow& window);
// Will-be-destroyed event of the main window: writes 程序目录, an empty box as an empty value.
void SaveSettings(MainWindow& window);

}  // namespace torvane
