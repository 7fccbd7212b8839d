// The end-to-end test driver's view of Torvane: start it in a program folder of its own, find its windows and
// components, act on them as a user would, and read what it shows.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/main_layout.h"
#include "link/link_layout.h"

namespace e2e {

using torvane::LinkPart;
using torvane::MainPart;

// Folders and programs the test run provides (from the environment, as Windows paths).
struct TestPaths {
    std::string torvaneExe;
    std::string fakeFfmpeg;
    std::string realFfmpegFolder;  // holds ffmpeg.exe; empty when not fetched
    std::string fixtures;          // the test videos
    std::string root;              // a scratch folder for this run
};
const TestPaths& Paths();

// A new, empty folder under the scratch root.
std::string FreshFolder(const std::string& name);
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool PathExists(const std::string& path);
// A fresh folder holding an empty file of that name (the Open dialog needs a file that exists); its path.
std::string PlaceFile(const std::string& folderName, const std::string& fileName);
void CopyFileTo(const std::string& from, const std::string& to);

bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

std::string ClipboardText();
void SetClipboardText(const std::string& text);

std::string WindowText(HWND hwnd);
void SetWindowTextRemote(HWND hwnd, const std::string& text);
void Click(HWND button);                       // posted BM_CLICK: the handler may open a modal box
void TypeChars(HWND box, const std::string& text);  // one WM_CHAR per byte
void PressKey(HWND target, WORD vk);           // a posted key press, as the focused component gets it
void SendKeyInput(WORD vk, bool shift = false);  // a real key press through the input queue
void RightClickAt(POINT screen);
POINT ScreenCenter(HWND hwnd);
RECT WindowRect(HWND hwnd);

// A fake ffmpeg folder: fake_ffmpeg.exe as ffmpeg.exe and the script it follows.
std::string FakeFfmpegFolder(const std::string& name, const std::string& script);
struct FakeCall {
    std::string line;
    std::vector<std::string> args;
    std::string cwd;
};
std::vector<FakeCall> FakeCalls(const std::string& folder);

// One running Torvane in a program folder of its own.
class Torvane {
public:
    // Copies torvane.exe into a fresh folder and, when given, writes pz.ini there.
    explicit Torvane(const std::string& name, const std::optional<std::string>& ini = std::nullopt);
    ~Torvane();

    const std::string& folder() const { return folder_; }
    DWORD pid() const { return pid_; }

    void Start();
    HWND Main() const { return main_; }
    HWND Part(MainPart part) const;
    std::string Text(MainPart part) const { return WindowText(Part(part)); }
    void SetText(MainPart part, const std::string& text) { SetWindowTextRemote(Part(part), text); }
    void Press(MainPart part) { Click(Part(part)); }

    // Top-level windows of the process: a box by caption, or by class.
    HWND FindWindowOf(const char* cls, const char* caption) const;
    HWND WaitWindow(const char* cls, const char* caption, int timeoutMs = 10000) const;
    // A notice (caption "信息：") or error box ("错误"): its text, after which OK is pressed.
    std::optional<std::string> TakeBox(const char* caption, int timeoutMs = 10000);
    // Every notice that appears until none has come for `quietMs`.
    std::vector<std::string> TakeNotices(int quietMs = 1500);
    HWND Focus() const;

    // 打开文件 with the Open dialog: the dialog's file-name box is given `path` and OK is pressed. Returns what
    // the box held when the dialog opened.
    std::optional<std::string> OpenMp4(const std::string& path);
    // The folder browser of 加载 or 选择目录, confirmed on `path` (or cancelled when it is empty).
    bool ChooseFolder(MainPart button, const std::string& path);
    // Waits until every interpreter this Torvane started has ended.
    bool WaitCommandsEnded(int timeoutMs = 30000) const;

    bool Running() const;
    // Waits for the end of the process; its exit code, or nullopt on a time-out.
    std::optional<DWORD> WaitExit(int timeoutMs = 15000);
    void Close() { PostMessageA(main_, WM_CLOSE, 0, 0); }
    // How often FreeAppState ran (seen through the program's debug output).
    int FreeAppStateRuns() const;
    // cmd.exe processes started by this Torvane and still alive.
    int LiveInterpreters() const;
    std::string Describe() const;

private:
    static DWORD WINAPI DebugLoop(void* self);

    std::string folder_;
    HANDLE process_ = nullptr;
    HANDLE started_ = nullptr;
    HANDLE loopThread_ = nullptr;
    DWORD pid_ = 0;
    HWND main_ = nullptr;
    mutable CRITICAL_SECTION lock_;
    std::vector<std::string> debugStrings_;
    std::optional<DWORD> exitCode_;
};

// The shell's folder browser: selects the item of `path` in its tree and confirms it.
bool ChooseInFolderBrowser(HWND browser, const std::string& path);
bool CancelBox(HWND box);

}  // namespace e2e
