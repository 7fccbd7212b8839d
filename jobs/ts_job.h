// The "1.TS" button: remuxes the chosen MP4 into the TS file beside it.
#pragma once

namespace torvane {

class MainWindow;

void OnTsClicked(MainWindow& window);

}  // namespace torvane
