// The "2.切片" button: cuts the TS file into HLS segments and a playlist.
#pragma once

namespace torvane {

class MainWindow;

void OnSegmentClicked(MainWindow& window);

}  // namespace torvane
