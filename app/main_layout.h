// Identities of the main window and its components. Shared with the end-to-end test driver, which finds
// components by these control ids, so this header has no dependency of its own.
#pragma once

namespace torvane {

inline constexpr const char* kMainWindowClass = "TorvaneMain";
inline constexpr const char* kMainWindowTitle = "Torvane";

// Control ids, named after the layout. They start above IDOK and IDCANCEL, which the keyboard handling of
// dialogs sends on Enter and Esc.
enum class MainPart : int {
    分组框1 = 101,
    程序目录,
    加载,
    分组框2,
    视频目录,
    打开文件,
    分组框4,
    保存目录,
    选择目录,
    分组框3,
    透明标签2,
    m3u8名称,
    透明标签3,
    视频名称,
    透明标签1,
    切片时间,
    生成TS,
    生成切片,
    分组框5,
    运行命令框,
};

inline constexpr int kFirstMainPart = static_cast<int>(MainPart::分组框1);
inline constexpr int kMainPartCount = static_cast<int>(MainPart::运行命令框) - kFirstMainPart + 1;

// The command of the popup item "生成jsd" of the hidden menu "工具".
inline constexpr int kMenu生成jsd = 201;

}  // namespace torvane
