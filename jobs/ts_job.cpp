#include "jobs/ts_job.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "common/ui.h"
#include "jobs/job_commands.h"
#include "jobs/launch.h"
#include "jobs/ts_path.h"

namespace torvane {

void OnTsClicked(MainWindow& window) {
    AppState& app = App();
    bool ready = !app.tsPath.empty() && !window.ReadText(MainPart::视频目录).empty() &&
                 !window.ReadText(MainPart::程序目录).empty();
    if (!ready) {
        // One notice per problem, each after the previous one was dismissed.
        if (window.ReadText(MainPart::视频目录).empty())
            ShowInfoBox("还未加载mp4文件");
        else if (app.tsPath.empty())
            ShowInfoBox("请点击“打开文件”选择mp4文件");
        if (window.ReadText(MainPart::程序目录).empty()) ShowInfoBox("未加载ffmpeg所在目录");
        return;
    }
    Text mp4 = window.ReadText(MainPart::视频目录);
    // With -y, a TS path naming the input would have ffmpeg overwrite the file it reads.
    if (SamePathText(app.tsPath, mp4)) {
        ShowInfoBox("TS文件路径与MP4文件相同，无法生成");
        return;
    }
    LaunchJobCommand(window, ComposeTsCommand(mp4, app.tsPath));
}

}  // namespace torvane
