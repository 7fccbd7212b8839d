#include "jobs/launch.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "common/ui.h"
#include "console/console_launcher.h"

namespace torvane {

void LaunchJobCommand(MainWindow& window, std::optional<Text> command) {
    if (!command) {
        ShowInfoBox("路径或名称中不能含有英文双引号");
        return;
    }
    AppState& app = App();
    app.lastCommand = std::move(*command);
    RunInConsole(app.lastCommand, window.ReadText(MainPart::程序目录), window, MainPart::运行命令框);
    CopyToClipboard(app.lastCommand);
}

}  // namespace torvane
