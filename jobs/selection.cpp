#include "jobs/selection.h"

#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <vector>

#include "app/app_state.h"
#include "app/main_window.h"
#include "common/ui.h"
#include "jobs/ts_path.h"

namespace torvane {

namespace {

constexpr const char* kMp4Filter = "mp4文件（*.mp4）|*.mp4";

bool HasNoParent(HWND hwnd) { return !GetParent(hwnd); }

// Shows the Open dialog of the component; true when a file was chosen, its full path then in fileName.
bool RunOpenDialog(OpenDialogComponent& dialog, HWND owner) {
    Text filter = BuildOpenFilter(dialog.filter);
    char file[MAX_PATH] = {};
    lstrcpynA(file, dialog.fileName.c_str(), MAX_PATH);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&ofn)) return false;
    dialog.fileName = file;
    return true;
}

}  // namespace

Text BrowseForFolder(const Text& title) {
    HWND active = GetActiveWindow();
    if (!IsWindow(active)) active = nullptr;
    HWND foreground = GetForegroundWindow();
    std::vector<NotedWindow> noted = DisableTopLevelWindows(HasNoParent);

    char displayName[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = active;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_EDITBOX;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&info);

    RestoreWindows(noted);
    if (foreground && IsWindow(foreground)) SetForegroundWindow(foreground);
    if (active && IsWindow(active)) SetActiveWindow(active);

    Text result;
    if (item) {
        char path[MAX_PATH] = {};
        if (SHGetPathFromIDListA(item, path) && path[0]) result = path;
        IMalloc* shellMalloc = nullptr;
        if (SUCCEEDED(SHGetMalloc(&shellMalloc)) && shellMalloc) {
            shellMalloc->Free(item);
            shellMalloc->Release();
        }
    }
    return result;
}

// Cancel leaves the box as it was: emptying it would lose the remembered ffmpeg folder at the next save.
void OnLoadClicked(MainWindow& window) {
    Text folder = BrowseForFolder("选择ffmpeg.exe所在目录");
    if (!folder.empty()) window.WriteText(MainPart::程序目录, folder);
}

void OnChooseOutputClicked(MainWindow& window) {
    Text folder = BrowseForFolder("选择保存目录");
    if (!folder.empty()) window.WriteText(MainPart::保存目录, folder);
}

void OnOpenFileClicked(MainWindow& window) {
    OpenDialogComponent& dialog = window.openDialog();
    dialog.filter = kMp4Filter;
    if (!RunOpenDialog(dialog, window.hwnd())) return;
    window.WriteText(MainPart::视频目录, dialog.fileName);
    AppState& app = App();
    app.tsPath = DeriveTsPath(window.ReadText(MainPart::视频目录));
    Text name = PathFindFileNameA(app.tsPath.c_str());
    app.nameParts = SplitTsFileName(name);
    // A name without pieces cannot come from the dialog; it gives an empty video name rather than an error.
    window.WriteText(MainPart::视频名称, app.nameParts.empty() ? Text() : app.nameParts.front());
}

}  // namespace torvane
