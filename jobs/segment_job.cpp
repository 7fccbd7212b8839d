#include "jobs/segment_job.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "common/ui.h"
#include "jobs/job_commands.h"
#include "jobs/launch.h"

namespace torvane {

namespace {

bool EntryExists(const Text& path) {
    if (path.empty()) return false;
    WIN32_FIND_DATAA data;
    HANDLE found = FindFirstFileA(path.c_str(), &data);
    if (found == INVALID_HANDLE_VALUE) return false;
    FindClose(found);
    return true;
}

struct FieldCheck {
    MainPart box;
    const char* notice;
};

// The order in which empty boxes are reported.
constexpr FieldCheck kFieldNotices[] = {
    {MainPart::视频目录, "还未加载mp4文件"},     {MainPart::保存目录, "还未设置切片存储位置"},
    {MainPart::切片时间, "切片间隔时间未设置"},  {MainPart::程序目录, "未加载ffmpeg所在目录"},
    {MainPart::m3u8名称, "m3u8引导文件名称为空"}, {MainPart::视频名称, "视频名称为空"},
};

// The boxes the command needs, in the order they are tested.
constexpr MainPart kRequired[] = {MainPart::保存目录, MainPart::程序目录, MainPart::切片时间, MainPart::m3u8名称,
                                  MainPart::视频名称};

}  // namespace

void OnSegmentClicked(MainWindow& window) {
    AppState& app = App();
    if (!EntryExists(app.tsPath)) {
        ShowInfoBox("当前视频ts文件不存在，请先生成ts文件");
        return;
    }
    bool filled = true;
    for (MainPart box : kRequired) {
        if (window.ReadText(box).empty()) {
            filled = false;
            break;
        }
    }
    if (!filled) {
        for (const FieldCheck& check : kFieldNotices)
            if (window.ReadText(check.box).empty()) ShowInfoBox(check.notice);
        return;
    }
    Text folder = window.ReadText(MainPart::保存目录);
    Text playlist = window.ReadText(MainPart::m3u8名称);
    Text length = window.ReadText(MainPart::切片时间);
    Text video = window.ReadText(MainPart::视频名称);
    LaunchJobCommand(window, ComposeSegmentCommand(app.tsPath, folder, playlist, length, video));
}

}  // namespace torvane
